#include "framework/Gdi.h"

#include "framework/Module.h"

#include <cstdlib>
#include <cstring>

bool CFont::CreatePointFont(int tenthsOfPoint, LPCSTR faceName, HDC dc)
{
    LOGFONTA font{};
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfHeight = tenthsOfPoint;
    if (faceName)
        ::lstrcpynA(font.lfFaceName, faceName, LF_FACESIZE);
    return CreatePointFontIndirect(font, dc);
}

std::optional<LOGFONTA> CFont::PointFontToLogical(const LOGFONTA& description, HDC dc)
{
    LOGFONTA font = description;
    std::optional<CClientDC> screen;
    if (!dc)
        screen.emplace(nullptr);
    HDC measuring = dc ? dc : screen->m_hDC;
    if (!measuring)
        return std::nullopt;
    // Tenths of a point to device pixels (720 tenths to the inch), then
    // through the DC's mapping to logical units. Negative: a character height.
    POINT size{0, ::MulDiv(::GetDeviceCaps(measuring, LOGPIXELSY), description.lfHeight, 720)};
    POINT origin{0, 0};
    ::DPtoLP(measuring, &size, 1);
    ::DPtoLP(measuring, &origin, 1);
    font.lfHeight = -std::abs(size.y - origin.y);
    return font;
}

bool CFont::CreatePointFontIndirect(const LOGFONTA& description, HDC dc)
{
    const std::optional<LOGFONTA> font = PointFontToLogical(description, dc);
    return font && CreateFontIndirect(*font);
}

bool CBitmap::LoadBitmap(UINT resourceId)
{
    return Attach(::LoadBitmapA(GetResourceHandle(), MAKEINTRESOURCEA(resourceId)));
}

bool CBitmap::CreateTopDownDIB32(HDC dc, int width, int height, void** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return Attach(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

bool CBitmap::LoadDIBSection(UINT resourceId)
{
    return Attach(static_cast<HBITMAP>(::LoadImageA(GetResourceHandle(), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP,
                                                    0, 0, LR_CREATEDIBSECTION | LR_DEFAULTSIZE)));
}

SIZE CBitmap::GetSize() const
{
    BITMAP info{};
    if (!m_handle || !::GetObjectA(m_handle, sizeof(info), &info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

POINT CDC::SetViewportOrg(int x, int y)
{
    POINT old{};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

POINT CDC::GetViewportOrg() const
{
    POINT origin{};
    ::GetViewportOrgEx(m_hDC, &origin);
    return origin;
}

POINT CDC::SetWindowOrg(int x, int y)
{
    POINT old{};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

void CDC::FillSolidRect(const RECT& rect, COLORREF color)
{
    // ExtTextOut with an opaque rectangle fills without creating a brush.
    const COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

CPaintDC::CPaintDC(HWND window) : m_hWnd(window)
{
    m_hDC = ::BeginPaint(window, &m_ps);
}

CPaintDC::~CPaintDC()
{
    if (m_hDC)
        ::EndPaint(m_hWnd, &m_ps);
}

CWindowDCGuard::CWindowDCGuard(HWND window, Area area) : m_hWnd(window)
{
    m_hDC = area == kWholeWindow ? ::GetWindowDC(window) : ::GetDC(window);
}

CWindowDCGuard::CWindowDCGuard(HWND window, HRGN clip, DWORD flags) : m_hWnd(window)
{
    m_hDC = ::GetDCEx(window, clip, flags);
}

CWindowDCGuard::~CWindowDCGuard()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
}

bool CMemoryDC::CreateCompatibleDC(HDC compatibleWith)
{
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(compatibleWith);
    return m_hDC != nullptr;
}

void CMemoryDC::DeleteDC()
{
    if (m_hDC)
        ::DeleteDC(m_hDC);
    m_hDC = nullptr;
}

bool COwnedDC::CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* mode)
{
    DeleteDC();
    m_hDC = ::CreateICA(driver, device, output, mode);
    return m_hDC != nullptr;
}

bool COwnedDC::CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* mode)
{
    DeleteDC();
    m_hDC = ::CreateDCA(driver, device, output, mode);
    return m_hDC != nullptr;
}

void COwnedDC::DeleteDC()
{
    if (m_hDC)
        ::DeleteDC(m_hDC);
    m_hDC = nullptr;
}
