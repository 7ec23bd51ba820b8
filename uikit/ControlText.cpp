#include "uikit/ControlText.h"

#include <vector>

CString WindowTextOf(HWND window)
{
    const int length = ::GetWindowTextLengthA(window);
    if (length <= 0)
        return CString();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(window, buffer.data(), length + 1);
    return CString(buffer.data());
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
