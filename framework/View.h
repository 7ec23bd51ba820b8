#pragma once
// CView: a child window of a frame that shows a document. Commands reach the
// active view first; what it declines goes to its document.
//
// Views are made by a document template (through their run-time class) on the
// heap and delete themselves when their window goes.

#include "framework/Wnd.h"

class CDC;
class CDocument;
struct CPrintInfo;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)

public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Runs once the frame and document are complete (again after every File New
    // or Open that reuses the frame). Default: OnUpdate(nullptr, 0, nullptr).
    virtual void OnInitialUpdate();
    // The document changed; default: repaint everything.
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    virtual void OnDraw(CDC* dc) = 0;
    // Sets up the DC before OnDraw (scrolling views move the origin).
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    virtual void OnActivateView(BOOL activate, CView* activated, CView* deactivated);

    // ---- printing hooks (the print loop calls them) -----------------------------
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);  // default: OnDraw
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // The view's own handlers, then its document's.
    bool OnCmdMsg(CommandRequest& request) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Cleared for a view that is not on the heap.
    bool m_bAutoDelete = true;

protected:
    int OnCreate(LPCREATESTRUCTA cs) override;
    void OnDestroy() override;
    void OnPaint() override;
    int OnMouseActivate(HWND topLevel, UINT hitTest, UINT message) override;
    void PostNcDestroy() override;

    CDocument* m_pDocument = nullptr;

    friend class CDocument;
};
