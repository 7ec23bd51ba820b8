#pragma once
// Owners of GDI handles: each object deletes what it holds. Device contexts
// (CDC and the owned kinds) and a guard that selects an object into a DC and
// selects the old one back when it goes.
//
//     CMemoryDC memory(screenDC);
//     CBitmap bitmap;
//     bitmap.CreateCompatibleBitmap(screenDC, width, height);
//     CSelectGuard selected(memory, bitmap);   // bitmap in; the old one back at scope end
//     ... draw into memory ...

#include <windows.h>

#include <optional>

#include <utility>

// Owns one GDI object (HFONT, HBRUSH, HPEN, HBITMAP, HRGN, HPALETTE).
// The object must not be selected into a DC when it goes (use CSelectGuard).
template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : m_handle(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : m_handle(other.Detach()) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle Get() const { return m_handle; }
    operator Handle() const { return m_handle; }
    bool IsValid() const { return m_handle != nullptr; }

    // Deletes the held object and takes `handle` instead.
    void Reset(Handle handle = nullptr)
    {
        if (m_handle && m_handle != handle)
            ::DeleteObject(m_handle);
        m_handle = handle;
    }
    bool Attach(Handle handle)
    {
        Reset(handle);
        return handle != nullptr;
    }
    Handle Detach() { return std::exchange(m_handle, nullptr); }
    void DeleteObject() { Reset(); }

protected:
    Handle m_handle = nullptr;
};

class CFont : public GdiObject<HFONT> {
public:
    using GdiObject::GdiObject;

    // A font of `tenthsOfPoint` tenths of a point in the face, sized for the DC
    // (the screen when null), through the DC's mapping mode.
    bool CreatePointFont(int tenthsOfPoint, LPCSTR faceName, HDC dc = nullptr);
    // The same from a description whose lfHeight is in tenths of a point.
    bool CreatePointFontIndirect(const LOGFONTA& font, HDC dc = nullptr);
    // The description with its height in tenths of a point turned into the
    // DC's logical units, as CreatePointFontIndirect makes it.
    static std::optional<LOGFONTA> PointFontToLogical(const LOGFONTA& font, HDC dc = nullptr);
    bool CreateFontIndirect(const LOGFONTA& font) { return Attach(::CreateFontIndirectA(&font)); }
    bool GetLogFont(LOGFONTA* font) const
    {
        return m_handle && ::GetObjectA(m_handle, sizeof(LOGFONTA), font) == sizeof(LOGFONTA);
    }
};

class CBrush : public GdiObject<HBRUSH> {
public:
    using GdiObject::GdiObject;

    bool CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    bool CreateHatchBrush(int hatch, COLORREF color) { return Attach(::CreateHatchBrush(hatch, color)); }
    bool CreatePatternBrush(HBITMAP bitmap) { return Attach(::CreatePatternBrush(bitmap)); }
};

class CPen : public GdiObject<HPEN> {
public:
    using GdiObject::GdiObject;

    bool CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
};

class CBitmap : public GdiObject<HBITMAP> {
public:
    using GdiObject::GdiObject;

    // A bitmap resource of the program, as a device-dependent bitmap.
    bool LoadBitmap(UINT resourceId);
    // A bitmap resource as a DIB section at its own size.
    bool LoadDIBSection(UINT resourceId);
    // A top-down 32-bit DIB section; `bits` receives its first row.
    bool CreateTopDownDIB32(HDC dc, int width, int height, void** bits);
    bool CreateCompatibleBitmap(HDC dc, int width, int height)
    {
        return Attach(::CreateCompatibleBitmap(dc, width, height));
    }
    bool CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
    {
        return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
    }
    // Width and height; 0, 0 without a bitmap.
    SIZE GetSize() const;
};

class CRgn : public GdiObject<HRGN> {
public:
    using GdiObject::GdiObject;

    bool CreateRectRgn(int left, int top, int right, int bottom)
    {
        return Attach(::CreateRectRgn(left, top, right, bottom));
    }
    bool CreateRectRgnIndirect(const RECT& rect) { return Attach(::CreateRectRgnIndirect(&rect)); }
    bool CreateEllipticRgn(int left, int top, int right, int bottom)
    {
        return Attach(::CreateEllipticRgn(left, top, right, bottom));
    }
    // This region becomes the combination of a and b (RGN_OR ...); returns the
    // region type, ERROR on failure. The region must exist already.
    int CombineRgn(HRGN a, HRGN b, int mode) { return ::CombineRgn(m_handle, a, b, mode); }
    bool PtInRegion(POINT point) const { return ::PtInRegion(m_handle, point.x, point.y) != FALSE; }
};

class CPalette : public GdiObject<HPALETTE> {
public:
    using GdiObject::GdiObject;

    bool CreatePalette(const LOGPALETTE* palette) { return Attach(::CreatePalette(palette)); }
};

// Selects an object into a DC and selects the previous one back when it goes.
class CSelectGuard {
public:
    CSelectGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(dc && object ? ::SelectObject(dc, object) : nullptr) {}
    ~CSelectGuard()
    {
        if (m_dc && m_old && m_old != HGDI_ERROR)
            ::SelectObject(m_dc, m_old);
    }
    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;

    // The object that was selected before (null when selecting failed).
    HGDIOBJ GetOld() const { return m_old == HGDI_ERROR ? nullptr : m_old; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// The same for palettes, which have their own selection call.
class CPaletteSelectGuard {
public:
    CPaletteSelectGuard(HDC dc, HPALETTE palette, bool background = false)
        : m_dc(dc), m_old(dc && palette ? ::SelectPalette(dc, palette, background ? TRUE : FALSE) : nullptr)
    {
    }
    ~CPaletteSelectGuard()
    {
        if (m_dc && m_old)
            ::SelectPalette(m_dc, m_old, TRUE);
    }
    CPaletteSelectGuard(const CPaletteSelectGuard&) = delete;
    CPaletteSelectGuard& operator=(const CPaletteSelectGuard&) = delete;

private:
    HDC m_dc;
    HPALETTE m_old;
};

// Saves a DC's state (mapping, origins, selections, clipping) and restores it.
class CSaveDCGuard {
public:
    explicit CSaveDCGuard(HDC dc) : m_dc(dc), m_saved(dc ? ::SaveDC(dc) : 0) {}
    ~CSaveDCGuard()
    {
        if (m_saved)
            ::RestoreDC(m_dc, m_saved);
    }
    CSaveDCGuard(const CSaveDCGuard&) = delete;
    CSaveDCGuard& operator=(const CSaveDCGuard&) = delete;

private:
    HDC m_dc;
    int m_saved;
};

// A device context handed to drawing code; it does not own the handle (the
// owning kinds below do). Printing code sets m_bPrinting.
class CDC {
public:
    HDC m_hDC = nullptr;
    bool m_bPrinting = false;

    CDC() = default;
    explicit CDC(HDC dc) : m_hDC(dc) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    bool IsPrinting() const { return m_bPrinting; }

    // Virtual so that a stand-in for a device (print preview's page) can
    // answer as that device at another resolution.
    virtual int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
    POINT SetViewportOrg(int x, int y);
    POINT GetViewportOrg() const;
    POINT SetWindowOrg(int x, int y);
    int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
    void DPtoLP(POINT* points, int count = 1) const { ::DPtoLP(m_hDC, points, count); }
    void LPtoDP(POINT* points, int count = 1) const { ::LPtoDP(m_hDC, points, count); }
    void FillSolidRect(const RECT& rect, COLORREF color);
};

// BeginPaint / EndPaint for a window's WM_PAINT.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND window);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

// A DC of a window got from GetDC, GetWindowDC or GetDCEx, given back with
// ReleaseDC when it goes. The one owner of such DCs: CClientDC and CWindowDC
// below only choose how it is got.
//
//     CWindowDCGuard dc(window, CWindowDCGuard::kWholeWindow);
//     if (dc.m_hDC) ... draw on the frame ...
class CWindowDCGuard : public CDC {
public:
    enum Area { kClientArea, kWholeWindow };

    // GetDC (the screen for a null window) or GetWindowDC.
    CWindowDCGuard(HWND window, Area area);
    // GetDCEx; with DCX_INTERSECTRGN or DCX_EXCLUDERGN the system takes over
    // `clip` once the DC is got (the caller still deletes it on failure).
    CWindowDCGuard(HWND window, HRGN clip, DWORD flags);
    ~CWindowDCGuard() override;

private:
    HWND m_hWnd;
};

// GetDC / ReleaseDC of a window's client area (the screen for null).
class CClientDC : public CWindowDCGuard {
public:
    explicit CClientDC(HWND window) : CWindowDCGuard(window, kClientArea) {}
};

// GetWindowDC / ReleaseDC: the whole window, frame included.
class CWindowDC : public CWindowDCGuard {
public:
    explicit CWindowDC(HWND window) : CWindowDCGuard(window, kWholeWindow) {}
};

// A memory DC compatible with another one (the screen for null), deleted when
// it goes. Select bitmaps into it with CSelectGuard.
class CMemoryDC : public CDC {
public:
    CMemoryDC() = default;
    explicit CMemoryDC(HDC compatibleWith) { CreateCompatibleDC(compatibleWith); }
    ~CMemoryDC() override { DeleteDC(); }

    bool CreateCompatibleDC(HDC compatibleWith);
    void DeleteDC();
};

// An information or device context made by CreateIC / CreateDC (or handed
// over), deleted when it goes.
class COwnedDC : public CDC {
public:
    COwnedDC() = default;
    ~COwnedDC() override { DeleteDC(); }

    bool CreateIC(LPCSTR driver, LPCSTR device = nullptr, LPCSTR output = nullptr, const DEVMODEA* mode = nullptr);
    bool CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* mode);
    // Takes over a DC made elsewhere (the print dialog's, say).
    void Attach(HDC dc)
    {
        DeleteDC();
        m_hDC = dc;
    }
    void DeleteDC();
};
