#include "framework/View.h"

#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/Gdi.h"
#include "framework/PrintInfo.h"
#include "framework/PrintPreview.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

// Out of line: the preview window member is complete only here.
CView::CView() = default;

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass) {
        // The view paints all of itself: no background brush, no erase flicker.
        cs.lpszClass = RegisterFrameworkWindowClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                                    ::LoadCursorA(nullptr, IDC_ARROW), nullptr);
    }
    cs.style |= WS_CLIPSIBLINGS;
    // A bordered view gets the sunken edge of its time instead of a flat line.
    if (cs.style & WS_BORDER) {
        cs.style &= ~WS_BORDER;
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
    }
    return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCTA cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    // Leaving the document may close it; it is the last thing the view does
    // with it, before the object itself goes.
    if (m_pDocument)
        m_pDocument->RemoveView(this);
    if (m_bAutoDelete)
        delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(m_hWnd);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(HWND topLevel, UINT hitTest, UINT message)
{
    const int result = CWnd::OnMouseActivate(topLevel, hitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    if (CFrameWnd* frame = GetParentFrame()) {
        if (frame->GetActiveView() != this)
            frame->SetActiveView(this);
    }
    return result;
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == FrameworkInitialUpdateMessage()) {
        OnInitialUpdate();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CView::OnCmdMsg(CommandRequest& request)
{
    if (CWnd::OnCmdMsg(request))
        return true;
    return m_pDocument && m_pDocument->OnCmdMsg(request);
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

void CView::OnActivateView(BOOL activate, CView* activated, CView*)
{
    if (activate && activated == this && m_hWnd && ::GetFocus() != m_hWnd) {
        CFrameWnd* frame = GetParentFrame();
        // Only take the focus inside the active frame; don't steal it from other windows.
        if (frame && ::GetActiveWindow() == frame->GetSafeHwnd())
            SetFocus();
    }
}

BOOL CView::OnPreparePrinting(CPrintInfo* info)
{
    return DoPreparePrinting(info);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* dc, CPrintInfo*)
{
    OnDraw(dc);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}
