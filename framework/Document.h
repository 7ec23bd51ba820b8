#pragma once
// CDocument: the data of one open file, shown by one or more views. Commands
// reach the document after its active view declined them.
//
// A document made by a template belongs to the template; it closes (and goes)
// when its last view goes, or through OnCloseDocument.

#include "framework/CmdTarget.h"
#include "framework/String.h"

#include <windows.h>

#include <vector>

class CArchive;
class CDocTemplate;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
    DECLARE_COMMAND_MAP()

public:
    CDocument() = default;
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // Also updates the titles of the frames showing the document.
    virtual void SetTitle(LPCSTR title);
    const CString& GetPathName() const { return m_strPathName; }
    // Takes the full form of the path, makes the file's name (with its
    // extension) the title and, when asked, adds the path to the recent files.
    virtual void SetPathName(LPCSTR path, BOOL addToRecentFiles = TRUE);
    // Forgets the path without touching the title.
    void ClearPathName() { m_strPathName.Empty(); }

    virtual BOOL IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified != FALSE; }

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // ---- views ---------------------------------------------------------------
    const std::vector<CView*>& GetViews() const { return m_views; }
    void AddView(CView* view);
    void RemoveView(CView* view);
    // OnUpdate of every view but the sender.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
    // Called when a view came or went: a document without views that may
    // delete itself closes.
    virtual void OnChangedViewList();
    // Refreshes the titles of the frames showing the document.
    void UpdateFrameCounts();

    // ---- life of the data ------------------------------------------------------
    // Empties the document (DeleteContents), forgets the path, clears the modified flag.
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize; FALSE (and a message) on failure.
    virtual BOOL OnOpenDocument(LPCSTR path);
    // Writes the file through Serialize; FALSE (and a message) on failure.
    virtual BOOL OnSaveDocument(LPCSTR path);
    // Destroys the frames showing the document, empties it and, when it may, deletes it.
    virtual void OnCloseDocument();
    // Asks "Save changes to <title>?" when modified; FALSE when the user cancelled.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    virtual void DeleteContents();
    void Serialize(CArchive& ar) override;

    // Save to the path, or ask for one (Save As) when there is none.
    BOOL DoFileSave();
    // Asks for a path when `path` is null; `replace`: the document takes the new path.
    virtual BOOL DoSave(LPCSTR path, BOOL replace = TRUE);

    // The document deletes itself when its last view goes (set for documents
    // of a template).
    bool m_bAutoDelete = true;

protected:
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_views;
    bool m_bModified = false;

    friend class CDocTemplate;
};
