#include "uikit/ControlText.h"

#include <vector>

namespace {

SIZE ExtentOf(HDC dc, const CString& text)
{
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
    return size;
}

}  // namespace

SIZE FitTextWithEllipsis(CString& text, HDC dc, int width)
{
    SIZE size = ExtentOf(dc, text);
    if (size.cx <= width)
        return size;
    // The longest head that fits with the ellipsis; extents grow with the
    // head, so a binary search finds it.
    int fits = -1;
    int low = 0;
    int high = text.GetLength() - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        if (ExtentOf(dc, text.Left(middle) + "...").cx <= width) {
            fits = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    text = fits < 0 ? CString() : text.Left(fits) + "...";
    size = ExtentOf(dc, text);
    if (text.IsEmpty())
        size.cx = 0;
    return size;
}

CControlTextScope::CControlTextScope(HDC dc, HWND window) : m_dc(dc)
{
    auto font = reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
    if (font)
        m_oldFont = ::SelectObject(dc, font);
    m_oldMode = ::SetBkMode(dc, TRANSPARENT);
}

CControlTextScope::~CControlTextScope()
{
    if (m_oldFont && m_oldFont != HGDI_ERROR)
        ::SelectObject(m_dc, m_oldFont);
    if (m_oldMode)
        ::SetBkMode(m_dc, m_oldMode);
}
