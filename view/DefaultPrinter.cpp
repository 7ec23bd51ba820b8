// The default printer's printable areas on A4 and Letter paper, which the view
// shows as its guide rectangle.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "framework/Gdi.h"

#include <commdlg.h>

namespace
{
// A global memory block from the print dialog, freed with it.
class GlobalBlock
{
public:
    explicit GlobalBlock(HGLOBAL block) : m_block(block) {}
    ~GlobalBlock()
    {
        if (m_block)
            ::GlobalFree(m_block);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    HGLOBAL Get() const { return m_block; }

private:
    HGLOBAL m_block;
};

// The printer's paper set to portrait and the given size, the context reset to it.
void SelectPaper(HDC dc, HGLOBAL deviceMode, short paper)
{
    auto* mode = static_cast<DEVMODEA*>(::GlobalLock(deviceMode));
    if (!mode)
        return;
    mode->dmOrientation = DMORIENT_PORTRAIT;
    mode->dmPaperSize = paper;
    mode->dmFields |= DM_ORIENTATION | DM_PAPERSIZE;
    ::ResetDCA(dc, mode);
    ::GlobalUnlock(deviceMode);
}
}  // namespace

RECT CQuorbel6View::PrintableArea(HDC printer)
{
    const int dpiX = ::GetDeviceCaps(printer, LOGPIXELSX);
    const int dpiY = ::GetDeviceCaps(printer, LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0)
        return RECT{};
    const float fx = 1000.0f / static_cast<float>(dpiX);
    const float fy = 1000.0f / static_cast<float>(dpiY);
    const int offsetX = ::GetDeviceCaps(printer, PHYSICALOFFSETX);
    const int offsetY = ::GetDeviceCaps(printer, PHYSICALOFFSETY);
    return RECT{static_cast<LONG>(static_cast<float>(offsetX + 1) * fx),
                static_cast<LONG>(static_cast<float>(offsetY + 1) * fy),
                static_cast<LONG>(static_cast<float>(offsetX + ::GetDeviceCaps(printer, HORZRES) - 1) * fx),
                static_cast<LONG>(static_cast<float>(offsetY + ::GetDeviceCaps(printer, VERTRES) - 1) * fy)};
}

void CQuorbel6View::GetDefaultPrinter()
{
    Guarded(38, ErrorSink::Window(this), [&] {
        PRINTDLGA dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = m_hWnd;
        dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES |
                       PD_HIDEPRINTTOFILE;
        const BOOL found = ::PrintDlgA(&dialog);
        const GlobalBlock deviceMode(dialog.hDevMode);
        const GlobalBlock deviceNames(dialog.hDevNames);
        COwnedDC printer;
        printer.Attach(dialog.hDC);
        if (!found || !printer.m_hDC || !deviceMode.Get()) {
            m_bNoPrinter = 1;
            m_rcPrintableA4 = RECT{};
            m_rcPrintableLetter = RECT{};
            return;
        }
        SelectPaper(printer.m_hDC, deviceMode.Get(), DMPAPER_A4);
        m_rcPrintableA4 = PrintableArea(printer.m_hDC);
        SelectPaper(printer.m_hDC, deviceMode.Get(), DMPAPER_LETTER);
        m_rcPrintableLetter = PrintableArea(printer.m_hDC);
        m_bNoPrinter = 0;
    });
}
