#pragma once
// CView: a child window of a frame that shows a document. Commands reach the
// active view first; what it declines goes to its document.
//
// Views are made by a document template (through their run-time class) on the
// heap and delete themselves when their window goes.

#include "framework/Wnd.h"

#include <memory>

class CDC;
class CDocument;
class CPrintPreviewWnd;
struct CPrintInfo;
enum class PrintJobResult;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)

public:
    CView();
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
    // Runs the job's print dialog (or, for preview and direct printing, takes
    // the default printer); FALSE when cancelled or when there is no printer.
    BOOL DoPreparePrinting(CPrintInfo* info);
    // The print command: OnPreparePrinting, then the pages of the job
    // (framework/PrintLoop.cpp). Direct printing asks nothing.
    void OnFilePrint();
    void OnFilePrintDirect();
    // Prints the pages of a prepared job; the view's hooks draw them.
    PrintJobResult PrintDocumentPages(CPrintInfo& info);
    // File > Print Preview: a window showing the pages the print hooks draw
    // (framework/PrintPreview.h); nothing when the view declines the job.
    void OnFilePrintPreview();
    // The preview window has gone. Default: nothing.
    virtual void OnEndPrintPreview();
    // The preview window while it is open, else null.
    CPrintPreviewWnd* PrintPreview() const;
    // How the last print command ended.
    PrintJobResult LastPrintResult() const { return m_lastPrintResult; }

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

private:
    void RunPrintCommand(bool direct);
    PrintJobResult m_lastPrintResult{};
    std::unique_ptr<CPrintPreviewWnd> m_printPreview;

    friend class CDocument;
};
