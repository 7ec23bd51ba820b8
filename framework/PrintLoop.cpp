// The print loop of a view: the print dialog, then the document's pages
// through the view's hooks, page by page, copy by copy.
#include "framework/PrintInfo.h"

#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/Gdi.h"
#include "framework/PrintPreview.h"
#include "framework/View.h"

#include <algorithm>

CPrintInfo::CPrintInfo()
    : m_pPD(std::make_unique<CPrintDialog>(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_RETURNDC))
{
}

BOOL CView::DoPreparePrinting(CPrintInfo* info)
{
    if (!info || !info->m_pPD)
        return FALSE;
    CPrintDialog& dialog = *info->m_pPD;
    if (info->m_bPreview || info->m_bDirect) {
        dialog.m_pd.Flags |= PD_RETURNDC;
        if (!dialog.GetDefaults())
            return FALSE;
    } else if (dialog.DoModal() != IDOK) {
        return FALSE;
    }
    if (!dialog.m_pd.hDC) {
        // The dialog chose a printer without making its DC: make one here.
        dialog.m_pd.hDC = dialog.TakeDC();
    }
    return dialog.m_pd.hDC != nullptr;
}

namespace
{
// Ends the job's pages through the view's OnEndPrinting however the loop leaves.
class EndPrintingGuard
{
public:
    EndPrintingGuard(CView& view, CDC& dc, CPrintInfo& info) : m_view(view), m_dc(dc), m_info(info) {}
    ~EndPrintingGuard() { m_view.OnEndPrinting(&m_dc, &m_info); }
    EndPrintingGuard(const EndPrintingGuard&) = delete;
    EndPrintingGuard& operator=(const EndPrintingGuard&) = delete;

private:
    CView& m_view;
    CDC& m_dc;
    CPrintInfo& m_info;
};

// The copies the user asked for, taken out of the device mode: the loop prints
// them itself, so that a driver that ignores the device mode's count still
// gives every copy, and one that honours it does not multiply them again.
int TakeCopies(CPrintDialog& dialog)
{
    const int copies = dialog.GetCopies();
    if (DEVMODEA* mode = dialog.LockDevMode()) {
        if (mode->dmFields & DM_COPIES)
            mode->dmCopies = 1;
        dialog.UnlockDevMode();
    }
    dialog.m_pd.nCopies = 1;
    return std::clamp(copies, 1, 9999);
}
}  // namespace

PrintJobResult CView::PrintDocumentPages(CPrintInfo& info)
{
    CPrintDialog& dialog = *info.m_pPD;
    COwnedDC dc;
    dc.Attach(dialog.TakeDC());
    if (!dc.m_hDC)
        return PrintJobResult::Failed;
    dc.m_bPrinting = true;
    const int copies = TakeCopies(dialog);
    if (const DEVMODEA* mode = dialog.LockDevMode()) {
        ::ResetDCA(dc.m_hDC, mode);
        dialog.UnlockDevMode();
    }

    OnBeginPrinting(&dc, &info);
    EndPrintingGuard endPrinting(*this, dc, info);

    CString title = m_pDocument ? m_pDocument->GetTitle() : CString();
    if (title.IsEmpty())
        title = "Document";
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = title.c_str();
    document.lpszOutput = info.m_strOutputFile.IsEmpty() ? nullptr : info.m_strOutputFile.c_str();
    if (::StartDocA(dc.m_hDC, &document) <= 0)
        return PrintJobResult::Failed;

    const UINT from = std::max(info.GetFromPage(), info.GetMinPage());
    const UINT to = std::min(info.GetToPage(), info.GetMaxPage());
    const bool collate = dialog.PrintCollate() || copies == 1;
    // Collated: every page of a copy before the next copy; else each page as often as asked.
    const int outerCount = collate ? copies : 1;
    const int innerCount = collate ? 1 : copies;
    bool failed = false;
    info.m_bContinuePrinting = true;
    for (int outer = 0; outer < outerCount && info.m_bContinuePrinting && !failed; ++outer) {
        for (UINT page = from; page <= to && info.m_bContinuePrinting && !failed; ++page) {
            for (int inner = 0; inner < innerCount && info.m_bContinuePrinting && !failed; ++inner) {
                info.m_nCurPage = page;
                OnPrepareDC(&dc, &info);
                if (!info.m_bContinuePrinting)
                    break;
                if (::StartPage(dc.m_hDC) <= 0) {
                    failed = true;
                    break;
                }
                info.m_rectDraw = RECT{0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)};
                {
                    CSaveDCGuard saved(dc.m_hDC);
                    ::DPtoLP(dc.m_hDC, reinterpret_cast<POINT*>(&info.m_rectDraw), 2);
                    OnPrint(&dc, &info);
                }
                if (::EndPage(dc.m_hDC) <= 0)
                    failed = true;
            }
        }
    }
    if (failed || !info.m_bContinuePrinting) {
        ::AbortDoc(dc.m_hDC);
        return failed ? PrintJobResult::Failed : PrintJobResult::Cancelled;
    }
    return ::EndDoc(dc.m_hDC) > 0 ? PrintJobResult::Printed : PrintJobResult::Failed;
}

void CView::RunPrintCommand(bool direct)
{
    m_lastPrintResult = PrintJobResult::NotStarted;
    CPrintInfo info;
    info.m_bDirect = direct;
    if (!OnPreparePrinting(&info))
        return;
    m_lastPrintResult = PrintDocumentPages(info);
}

void CView::OnFilePrint()
{
    RunPrintCommand(false);
}

void CView::OnFilePrintDirect()
{
    RunPrintCommand(true);
}

void CView::OnFilePrintPreview()
{
    // A window left from the last preview goes before the next one.
    if (m_printPreview && m_printPreview->GetSafeHwnd())
        return;
    m_printPreview = std::make_unique<CPrintPreviewWnd>(*this);
    CFrameWnd* frame = GetParentFrame();
    if (!m_printPreview->Open(frame ? frame->GetSafeHwnd() : nullptr))
        m_printPreview.reset();
}

void CView::OnEndPrintPreview() {}

CPrintPreviewWnd* CView::PrintPreview() const
{
    return m_printPreview && m_printPreview->GetSafeHwnd() ? m_printPreview.get() : nullptr;
}
