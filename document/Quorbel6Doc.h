#pragma once

#include "document/FirstDocument.h"
#include "document/LayoutVariables.h"
#include "document/PropertyRecord.h"
#include "document/TextRecord.h"
#include "framework/Collections.h"
#include "framework/Document.h"
#include "label/LabelModel.h"
#include "label/LabelModelOwner.h"

class CByteStream;
class CFile;
class ILabelView;

// The label document. It owns the label model; it turns the model into
// records to write a file and turns the records of a file back into the
// model. Records exist only while a file is read or written. The class is
// split across files by concern:
//   document/Quorbel6Doc.cpp       construction, command table, records, view access
//   document/DocumentCommands.cpp  New, Open, Save, Save As, the save-changes prompt
//   document/NewLayoutSetup.cpp    an empty layout
//   document/ReadDocument.cpp      reading a file, with the conversion of older versions
//   document/WriteDocument.cpp     writing a file
class CQuorbel6Doc : public CDocument, public ILabelModelOwner, public IFirstDocument
{
    DECLARE_DYNCREATE(CQuorbel6Doc)
    DECLARE_COMMAND_MAP()

public:
    CQuorbel6Doc();
    ~CQuorbel6Doc() override;

    // The label.
    CLabelModel& LabelModel() override { return m_label; }
    const CLabelModel& Label() const { return m_label; }

    // ---- framework overrides -------------------------------------------------
    void DeleteContents() override;
    // Runs File Save (the path is not used); FALSE when nothing was saved.
    BOOL OnSaveDocument(LPCSTR path) override;
    // Offers to save a changed document. FALSE when the user cancelled, and
    // when the user chose Yes but the document was not saved (the save failed or
    // its Save As dialog was cancelled): the changes are never dropped unasked.
    BOOL SaveModified() override;
    // Reads the default template named by the document's title, or makes it
    // from an empty layout when it is missing.
    virtual void OpenDefaultTemplate();

    // The first label at start, as File New makes it; on a first run without
    // refreshing the panes.
    void MakeFirstDocument(bool firstRun) override;

    // ---- commands ----------------------------------------------------------------
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileSaveAsDefaultTemplate();

    // The saves of the commands with their outcome: TRUE only when the whole
    // file was written and has replaced the old one.
    BOOL SaveDocumentFile();
    BOOL SaveDocumentAs();
    BOOL SaveAsDefaultTemplate();

    // Opens and reads a file without asking (the recent-file list, the command
    // line); "Error opening file." when it can't be opened.
    void OpenDocumentPath(LPCSTR path);
    // A recent file: the save-changes prompt first, then OpenDocumentPath.
    void OpenRecentDocument(LPCSTR path);
    // An empty layout of the model's layout ("Single" or "Double").
    void SetupNewLayout();

    // Reads a document file into the model and closes the file. TRUE when the
    // file was read; a file of a newer version leaves an empty layout and no
    // path; a damaged one, or one with texts beyond RecordLimits, leaves the
    // label as it was (the caller gives the document its path back).
    BOOL ReadDocument(CFile& file);
    // Writes the label to the stream. FALSE when any part of it could
    // not be written; the modified flag is left to the caller.
    BOOL WriteDocument(CByteStream& file);

    // ---- records -------------------------------------------------------------------
    CProperty* AddProperty(const CString& objectName, const CString& key, const CString& value, BYTE shown,
                           const CString& editorKind, const CString& choices, int rowsAfter);
    CText* AddText(int origin, const CString& name, const CString& itemType, const CString& value);
    void DeleteRecords();

    // The window showing this document's label, or null.
    ILabelView* GetLabelView() const;

    int m_nFileVersion = -1;   // the version of the file read, -1 before one is read
    BOOL m_bRefresh = TRUE;    // clear only while the first document of a first run is made
    CObjectArray<CProperty> m_properties;
    CObjectArray<CText> m_texts;
    CVariables m_variables;

private:
    class UnsavedChangesGuard;
    // What reading a file came to: the label read, an empty layout in its
    // place (a newer version), or the label open before kept (a file that
    // could not be read).
    enum class ReadOutcome { Read, EmptyLayout, LabelKept };

    // ReadDocument with its outcome.
    ReadOutcome ReadLabel(CFile& file);
    // Reads the records of a file, and its images into `images`, without
    // touching the label.
    ReadOutcome ReadArchive(CFile& file, CLabelModel& images);
    // Turns the records read and the images into the emptied label;
    // `selected` is the object the file had selected.
    void FillModel(CLabelModel& images, bool& converted, CString& selected);
    // ReadLabel; a label that was read goes to the top of the recent-file list.
    ReadOutcome ReadIntoRecentFiles(CFile& file);

    // Opens a path and reads it; "Error opening file." when it can't be opened
    // or read. TRUE when the document now holds what was read (or the empty
    // layout a newer version leaves); FALSE when the label open before stays,
    // with its path.
    BOOL OpenAndRead(const CString& path);
    // Writes the document to the path through a temporary file; shows
    // `failureText` and returns FALSE when anything failed.
    BOOL WriteToPath(const CString& path, LPCSTR failureText);
    // Forgets the file: a refused or damaged file must not be written over.
    void ForgetFile();

    CLabelModel m_label;
    unsigned m_nSavesWritten = 0;  // files written so far, for UnsavedChangesGuard
};
