// CxImage: pictures from the clipboard's DIB handle and from bitmap handles.
#include "framework/Gdi.h"
#include "imaging/xImage.h"

namespace {

// Locks a global memory block for a scope.
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL handle) : m_handle(handle), m_data(handle ? ::GlobalLock(handle) : nullptr) {}
    ~CGlobalLock()
    {
        if (m_data)
            ::GlobalUnlock(m_handle);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    const BYTE* Data() const { return static_cast<const BYTE*>(m_data); }

private:
    HGLOBAL m_handle;
    void* m_data;
};

}  // namespace

bool CxImage::LoadFromGlobalDib(HGLOBAL handle)
{
    CGlobalLock lock(handle);
    if (!lock.Data()) {
        SetLastError("Invalid DIB");
        return false;
    }
    // The block's own size bounds every read of the header's claims.
    return LoadFromPackedDib(lock.Data(), ::GlobalSize(handle));
}

bool CxImage::LoadFromBitmapHandle(HBITMAP bitmap)
{
    Destroy();
    BITMAP description{};
    if (!bitmap || ::GetObjectA(bitmap, sizeof(description), &description) != sizeof(description)) {
        SetLastError("Invalid bitmap");
        return false;
    }
    if (!Create(description.bmWidth, description.bmHeight, description.bmBitsPixel * description.bmPlanes,
                kImageFormatBmp))
        return false;

    CClientDC screen(nullptr);
    const int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(GetHeight()), GetBits(),
                                 reinterpret_cast<BITMAPINFO*>(m_dib), DIB_RGB_COLORS);
    // GetDIBits may rewrite header fields; the object's header stays the truth.
    SyncDibHeader();
    if (rows == 0) {
        Destroy();
        SetLastError("GetDIBits failed");
        return false;
    }
    return true;
}
