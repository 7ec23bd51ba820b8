#include "framework/Document.h"

#include "framework/Archive.h"
#include "framework/CommandIds.h"
#include "framework/DocTemplate.h"
#include "framework/File.h"
#include "framework/FrameWnd.h"
#include "framework/View.h"
#include "framework/WinApp.h"

#include <algorithm>
#include <commdlg.h>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_COMMAND_MAP(CDocument, CCmdTarget)
    ON_CMD(FWID_FILE_CLOSE, OnFileClose)
    ON_CMD(FWID_FILE_SAVE, OnFileSave)
    ON_CMD(FWID_FILE_SAVE_AS, OnFileSaveAs)
END_COMMAND_MAP()

CDocument::~CDocument()
{
    // Views that outlive their document must not reach back into it.
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
}

void CDocument::SetTitle(LPCSTR title)
{
    m_strTitle = title;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR path, BOOL addToRecentFiles)
{
    char fullPath[MAX_PATH * 2] = {};
    char* fileName = nullptr;
    const DWORD length = ::GetFullPathNameA(path, sizeof(fullPath), fullPath, &fileName);
    if (length == 0 || length >= sizeof(fullPath)) {
        m_strPathName = path;
        const int slash = std::max(m_strPathName.ReverseFind('\\'), m_strPathName.ReverseFind('/'));
        SetTitle(m_strPathName.Mid(slash + 1));
    } else {
        m_strPathName = fullPath;
        SetTitle(fileName ? fileName : fullPath);
    }
    if (addToRecentFiles) {
        if (CWinApp* app = GetApp())
            app->AddToRecentFileList(m_strPathName);
    }
}

void CDocument::AddView(CView* view)
{
    if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    m_views.push_back(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view)
{
    const auto found = std::find(m_views.begin(), m_views.end(), view);
    if (found == m_views.end())
        return;
    m_views.erase(found);
    view->m_pDocument = nullptr;
    OnChangedViewList();  // may close and delete the document: nothing after this
}

void CDocument::OnChangedViewList()
{
    if (m_views.empty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject)
{
    // A copy: an update may add or remove views.
    const std::vector<CView*> views = m_views;
    for (CView* view : views) {
        if (view != sender && std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate(sender, hint, hintObject);
    }
}

void CDocument::UpdateFrameCounts()
{
    for (CView* view : m_views) {
        if (CFrameWnd* frame = view->GetParentFrame(); frame && frame->GetSafeHwnd())
            frame->OnUpdateFrameTitle(TRUE);
    }
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
        CString text;
        text.Format("Cannot open %s.", path ? path : "");
        AppMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);  // a half-read document must not pass for unchanged
    try {
        CArchive archive(&file, CArchive::load);
        Serialize(archive);
        archive.Close();
    } catch (...) {
        DeleteContents();
        CString text;
        text.Format("The file %s could not be read.", path ? path : "");
        AppMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR path)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive)) {
        CString text;
        text.Format("Cannot save %s.", path ? path : "");
        AppMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    try {
        CArchive archive(&file, CArchive::store);
        Serialize(archive);
        archive.Close();
        file.Close();
    } catch (...) {
        file.Close();
        ::DeleteFileA(path);  // no truncated file left behind under the real name
        CString text;
        text.Format("The file %s could not be written.", path ? path : "");
        AppMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Destroying the frames removes the views; the document must not delete
    // itself halfway through that.
    const bool autoDelete = m_bAutoDelete;
    m_bAutoDelete = false;
    while (!m_views.empty()) {
        CView* view = m_views.front();
        const size_t before = m_views.size();
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->DestroyWindow();
        else if (view->GetSafeHwnd())
            view->DestroyWindow();
        if (m_views.size() == before && !m_views.empty() && m_views.front() == view)
            RemoveView(view);  // a view whose window was gone already
    }
    m_bAutoDelete = autoDelete;

    DeleteContents();
    if (m_bAutoDelete && m_pDocTemplate) {
        // Deletes this document; nothing may follow.
        m_pDocTemplate->RemoveDocument(this);
    }
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strTitle;
    if (name.IsEmpty())
        name = "Untitled";
    CString text;
    text.Format("Save changes to %s?", name.c_str());
    switch (AppMessageBox(text, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame)
{
    // Another frame still shows the document: closing this one loses nothing.
    for (CView* view : m_views) {
        if (view->GetParentFrame() != frame)
            return TRUE;
    }
    return SaveModified();
}

void CDocument::DeleteContents() {}

void CDocument::Serialize(CArchive&) {}

BOOL CDocument::DoFileSave()
{
    const DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    if (m_strPathName.IsEmpty() || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCSTR path, BOOL replace)
{
    CString chosen = path ? path : "";
    if (chosen.IsEmpty()) {
        CString filterName;
        CString extension;
        if (m_pDocTemplate) {
            m_pDocTemplate->GetDocString(filterName, CDocTemplate::filterName);
            m_pDocTemplate->GetDocString(extension, CDocTemplate::filterExt);
        }
        if (!extension.IsEmpty() && extension[0] == '.')
            extension = extension.Mid(1);
        // "name\0*.ext\0\0" for the dialog.
        std::string filter;
        if (!filterName.IsEmpty() && !extension.IsEmpty())
            filter = filterName.str() + '\0' + "*." + extension.str() + '\0';
        filter += std::string("All Files (*.*)") + '\0' + "*.*" + '\0' + '\0';

        char fileName[MAX_PATH] = {};
        ::lstrcpynA(fileName, m_strPathName.IsEmpty() ? m_strTitle.c_str() : m_strPathName.c_str(), MAX_PATH);
        OPENFILENAMEA dialog{};
        dialog.lStructSize = sizeof(dialog);
        CWnd* main = GetAppMainWnd();
        dialog.hwndOwner = main ? main->GetSafeHwnd() : nullptr;
        dialog.lpstrFilter = filter.c_str();
        dialog.lpstrFile = fileName;
        dialog.nMaxFile = MAX_PATH;
        dialog.lpstrDefExt = extension.IsEmpty() ? nullptr : extension.c_str();
        dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
        if (!::GetSaveFileNameA(&dialog))
            return FALSE;
        chosen = fileName;
    }
    if (!OnSaveDocument(chosen))
        return FALSE;
    if (replace)
        SetPathName(chosen);
    return TRUE;
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}
