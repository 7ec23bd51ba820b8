#pragma once
// Document templates: which document, frame and view classes make up one
// kind of document, and the resource id of its menu, accelerators, icon and
// document-type string. The string holds '\n'-separated fields:
//     window title \n document name \n File New name \n filter name \n
//     filter extension \n registry file type \n registry type name
// e.g. "Sleevory\nLabel\nLabel\nSleevory (*.slv)\n.slv\n..." .
//
// The template owns its documents; the application owns the templates.

#include "framework/CmdTarget.h"
#include "framework/String.h"

#include <memory>
#include <vector>

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)

public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };

    CDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);
    ~CDocTemplate() override;

    UINT GetResourceId() const { return m_nIDResource; }
    // One field of the document-type string; false when it is empty or missing.
    bool GetDocString(CString& text, DocStringIndex index) const;

    // Opens the file (null: a new document) in a frame of this template.
    virtual CDocument* OpenDocumentFile(LPCSTR path, BOOL makeVisible = TRUE) = 0;
    virtual std::vector<CDocument*> GetDocuments() const = 0;

    // A new document of the template's class, owned by the template.
    CDocument* CreateNewDocument();
    // A new frame with its view for the document (other: a frame to copy, or null).
    CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
    void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
    // The document name field ("Untitled" without one) as the title.
    virtual void SetDefaultTitle(CDocument* doc);

    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL endSession);

    // Takes a document; it is deleted when removed or with the template.
    // Returns it, or null when the template refused it (and it went).
    virtual CDocument* AddDocument(std::unique_ptr<CDocument> doc);
    // Gives up a document (null when it is not one of the template's).
    virtual std::unique_ptr<CDocument> RemoveDocument(CDocument* doc);

protected:
    // Records which template a document belongs to (null: none).
    static void SetDocumentTemplate(CDocument* doc, CDocTemplate* owner);

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
};

// A template that holds at most one document at a time and reuses it (and its
// frame) for every File New and Open.
class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)

public:
    CSingleDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                       const CRuntimeClass* viewClass);
    ~CSingleDocTemplate() override;

    CDocument* OpenDocumentFile(LPCSTR path, BOOL makeVisible = TRUE) override;
    std::vector<CDocument*> GetDocuments() const override;
    CDocument* AddDocument(std::unique_ptr<CDocument> doc) override;
    std::unique_ptr<CDocument> RemoveDocument(CDocument* doc) override;

private:
    std::unique_ptr<CDocument> m_onlyDoc;
};
