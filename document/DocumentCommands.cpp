// The document's commands: New, Open, Save, Save As and Save As Default
// Template, and the opening of a path for the recent-file list.
#include "document/Quorbel6Doc.h"

#include "document/CommandLineDocument.h"
#include "framework/ProgramFolder.h"
#include "document/DocumentMessages.h"
#include "document/DocumentNames.h"
#include "document/ReplacingFile.h"
#include "framework/ErrorReport.h"
#include "framework/File.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "document/LabelView.h"
#include "document/NewLabelKind.h"

#include <commdlg.h>

#include <string>

namespace {

const std::string& FileDialogFilter()
{
    static const std::string filter = std::string("Sleevory (*.slv)") + '\0' + "*.slv" + '\0' + '\0';
    return filter;
}

HWND DialogOwner()
{
    CWnd* main = GetAppMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
}

bool AskOpenPath(CString& path)
{
    char fileName[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = DialogOwner();
    dialog.lpstrFilter = FileDialogFilter().c_str();
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = "slv";
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!::GetOpenFileNameA(&dialog))
        return false;
    path = fileName;
    return true;
}

// Asks for the name to save under, starting from `proposed`. The question
// about an existing file is the caller's, once the extension is on the name.
bool AskSavePath(const CString& proposed, CString& path)
{
    char fileName[MAX_PATH] = {};
    lstrcpynA(fileName, proposed, MAX_PATH);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = DialogOwner();
    dialog.lpstrFilter = FileDialogFilter().c_str();
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_HIDEREADONLY;
    if (!::GetSaveFileNameA(&dialog))
        return false;
    path = fileName;
    return true;
}

bool FileExists(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

// Reads the file the document has just been named after. Only a label that was
// read goes to the top of the recent-file list: a damaged file must not.
CQuorbel6Doc::ReadOutcome CQuorbel6Doc::ReadIntoRecentFiles(CFile& file)
{
    const ReadOutcome outcome = ReadLabel(file);
    if (outcome == ReadOutcome::Read) {
        if (CWinApp* app = GetApp())
            app->AddToRecentFileList(GetPathName());
    }
    return outcome;
}

// Puts the modified flag back when a command that went past the save-changes
// prompt did not replace the label after all (its dialog was cancelled, its
// file could not be opened): the No answer must not make unsaved changes look
// saved. A save made by the prompt stands.
class CQuorbel6Doc::UnsavedChangesGuard
{
public:
    explicit UnsavedChangesGuard(CQuorbel6Doc& doc)
        : m_doc(doc), m_wasModified(doc.IsModified()), m_savesBefore(doc.m_nSavesWritten)
    {
    }
    ~UnsavedChangesGuard()
    {
        if (!m_replaced && m_wasModified && m_doc.m_nSavesWritten == m_savesBefore)
            m_doc.SetModifiedFlag(TRUE);
    }
    UnsavedChangesGuard(const UnsavedChangesGuard&) = delete;
    UnsavedChangesGuard& operator=(const UnsavedChangesGuard&) = delete;

    void LabelReplaced() { m_replaced = true; }

private:
    CQuorbel6Doc& m_doc;
    BOOL m_wasModified;
    unsigned m_savesBefore;
    bool m_replaced = false;
};

void CQuorbel6Doc::MakeFirstDocument(bool firstRun)
{
    m_bRefresh = firstRun ? FALSE : TRUE;
    OnFileNew();
    m_bRefresh = TRUE;
}

void CQuorbel6Doc::OnFileNew()
{
    Guarded(157, ErrorSink::App(), [&] {
        UnsavedChangesGuard unsaved(*this);
        if (!SaveModified())
            return;
        ILabelView* view = GetLabelView();
        if (!view)
            return;

        // The file named on the command line is the first document; its path
        // is used once, and the start preset with it. A file that can't be
        // opened is reported and leaves the program without a label: the
        // user chooses the next one, so a later File New asks for the layout.
        auto* commandLine = dynamic_cast<ICommandLineDocument*>(GetApp());
        if (const CString path = commandLine ? commandLine->TakeCommandLinePath() : CString(); !path.IsEmpty()) {
            view->TakeStartPreset();
            if (OpenAndRead(path))
                unsaved.LabelReplaced();
            return;
        }

        int kind = kNewLabelCancelled;
        if (const int preset = view->TakeStartPreset(); preset != -1 && preset != 0)
            kind = preset == 1 ? kNewSingleFromTemplate : kNewDoubleFromTemplate;
        else
            kind = view->AskNewLabelKind();
        if (kind < kNewSingleFromTemplate || kind > kNewDoubleEmpty)
            return;

        unsaved.LabelReplaced();
        m_label.Shown().layout = kind <= kNewSingleEmpty ? "Single" : "Double";
        // A new label has no file yet: a later Save must not go to the last one.
        ClearPathName();
        if (kind == kNewSingleFromTemplate) {
            SetTitle(kSingleTemplateName);
            OpenDefaultTemplate();
        } else if (kind == kNewDoubleFromTemplate) {
            SetTitle(kDoubleTemplateName);
            OpenDefaultTemplate();
        } else {
            SetTitle(kUntitledDocumentName);
            SetupNewLayout();
        }
    });
}

void CQuorbel6Doc::OpenDefaultTemplate()
{
    Guarded(151, ErrorSink::App(), [&] {
        if (!SaveModified())
            return;
        const CString path = ProgramFolder() + GetTitle();
        CFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
            // The first need of a template makes it from an empty layout.
            SetupNewLayout();
            SaveAsDefaultTemplate();
            return;
        }
        SetPathName(path, FALSE);
        // A default template is the program's own file, not one the user
        // opened: it stays out of the recent-file list.
        if (ReadLabel(file) == ReadOutcome::LabelKept) {
            // A template that cannot be read is no label to keep: start empty.
            ForgetFile();
            SetupNewLayout();
        }
    });
}

void CQuorbel6Doc::OnFileOpen()
{
    Guarded(148, ErrorSink::App(), [&] {
        UnsavedChangesGuard unsaved(*this);
        if (!SaveModified())
            return;
        CString path;
        if (AskOpenPath(path) && OpenAndRead(path))
            unsaved.LabelReplaced();
    });
}

void CQuorbel6Doc::OpenDocumentPath(LPCSTR path)
{
    Guarded(156, ErrorSink::App(), [&] { OpenAndRead(path ? path : ""); });
}

void CQuorbel6Doc::OpenRecentDocument(LPCSTR path)
{
    Guarded(156, ErrorSink::App(), [&] {
        UnsavedChangesGuard unsaved(*this);
        if (SaveModified() && OpenAndRead(path ? path : ""))
            unsaved.LabelReplaced();
    });
}

BOOL CQuorbel6Doc::OpenAndRead(const CString& path)
{
    CFile file;
    if (path.IsEmpty() || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
        ShowDocumentError(kErrorOpeningFile);
        return FALSE;
    }
    const CString oldPath = GetPathName();
    const CString oldTitle = GetTitle();
    SetPathName(path, FALSE);
    if (ReadIntoRecentFiles(file) == ReadOutcome::LabelKept) {
        m_strPathName = oldPath;
        SetTitle(oldTitle);
        return FALSE;
    }
    return TRUE;
}

void CQuorbel6Doc::OnFileSave()
{
    Guarded(145, ErrorSink::App(), [&] { SaveDocumentFile(); });
}

BOOL CQuorbel6Doc::SaveDocumentFile()
{
    // A default template is never overwritten by a plain Save.
    if (GetPathName().IsEmpty() || IsDefaultTemplateName(GetTitle()))
        return SaveDocumentAs();
    if (!WriteToPath(GetPathName(), kErrorSavingFile))
        return FALSE;
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CQuorbel6Doc::OnFileSaveAs()
{
    Guarded(147, ErrorSink::App(), [&] { SaveDocumentAs(); });
}

BOOL CQuorbel6Doc::SaveDocumentAs()
{
    // A label with a file of its own is offered under its own name; a new one
    // (or one still named after a default template) as "Untitled.slv".
    CString path = GetPathName().IsEmpty() || IsDefaultTemplateName(GetTitle()) ? CString(kUntitledDocumentName)
                                                                                 : GetPathName();
    for (;;) {
        if (!AskSavePath(path, path))
            return FALSE;
        // Asked only now: "work" replaces "work.slv" as much as "work.slv" does.
        path = NormaliseDocumentPath(path);
        if (!FileExists(path) || AskYesNo(kReplaceExistingFile) == 1)
            break;
    }

    // The document is written under its new name (a file named like a default
    // template gets the template's placeholder texts); a failure gives the
    // old name back.
    const CString oldPath = GetPathName();
    const CString oldTitle = GetTitle();
    SetPathName(path, FALSE);
    if (!WriteToPath(GetPathName(), kErrorSavingFile)) {
        m_strPathName = oldPath;
        SetTitle(oldTitle);
        return FALSE;
    }
    if (CWinApp* app = GetApp())
        app->AddToRecentFileList(GetPathName());
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CQuorbel6Doc::OnFileSaveAsDefaultTemplate()
{
    Guarded(152, ErrorSink::App(), [&] { SaveAsDefaultTemplate(); });
}

BOOL CQuorbel6Doc::SaveAsDefaultTemplate()
{
    const CString name = m_label.Shown().layout == "Double" ? kDoubleTemplateName : kSingleTemplateName;
    const CString keptPath = GetPathName();
    const CString keptTitle = GetTitle();

    SetPathName(ProgramFolder() + name, FALSE);
    const BOOL written = WriteToPath(GetPathName(), kErrorSavingDefaultFile);
    // A document with a file of its own stays that file's; one without becomes
    // the template (so a later Save asks for a name).
    if (!keptPath.IsEmpty() || !written) {
        m_strPathName = keptPath;
        SetTitle(keptTitle);
    }
    // The template holds placeholders, not the label's album texts: the
    // document's own changes are still unsaved, so the modified flag stays.
    return written;
}

BOOL CQuorbel6Doc::OnSaveDocument(LPCSTR)
{
    return Guarded(150, ErrorSink::App(), FALSE, [&] { return SaveDocumentFile(); });
}

BOOL CQuorbel6Doc::WriteToPath(const CString& path, LPCSTR failureText)
{
    CReplacingFile file(path);
    if (!file.Open() || !WriteDocument(file.File()) || !file.Commit()) {
        ShowDocumentError(failureText);
        return FALSE;
    }
    ++m_nSavesWritten;
    return TRUE;
}

void CQuorbel6Doc::ForgetFile()
{
    ClearPathName();
    SetTitle(kUntitledDocumentName);
}
