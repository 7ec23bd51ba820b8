#include "uikit/PictureStatic.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"
#include "resource.h"
#include "uikit/ControlText.h"

IMPLEMENT_DYNAMIC(CPictureStatic, CStatic)

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

void LoadPicture(CImageList& list, UINT bitmapId, int width, int height)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(bitmapId))
        return;
    if (list.Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 0))
        list.Add(bitmap, kMagenta);
}

}  // namespace

CPictureStatic::CPictureStatic()
{
    Guarded(379, ErrorSink::App(), [&] {
        LoadPicture(m_pictureA, IDB_PICTURE_STATIC_A, 91, 36);
        LoadPicture(m_pictureB, IDB_PICTURE_STATIC_B, 98, 30);
    });
}

void CPictureStatic::OnPaint()
{
    Guarded(380, ErrorSink::Window(this), [&] {
        CPaintDC dc(m_hWnd);
        if (GetStyle() & 0x3) {
            const CImageList& picture = m_bPictureSelector ? m_pictureA : m_pictureB;
            picture.Draw(dc, 0, POINT{0, 0}, ILD_TRANSPARENT);
            return;
        }
        CControlTextScope textScope(dc, m_hWnd);
        const CString text = WindowTextOf(m_hWnd);
        RECT client{};
        GetClientRect(&client);
        ::DrawTextA(dc, text, text.GetLength(), &client, DT_LEFT | DT_TOP | DT_NOCLIP | DT_WORDBREAK);
    });
}
