#pragma once
// CMultiDocTemplate: a template whose every File New and Open makes a new
// document in a new frame (an MDI child of the main frame, with CMDIChildWnd
// as the frame class); any number of documents are open at once.

#include "framework/DocTemplate.h"

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)

public:
    CMultiDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                      const CRuntimeClass* viewClass);
    ~CMultiDocTemplate() override;

    CDocument* OpenDocumentFile(LPCSTR path, BOOL makeVisible = TRUE) override;
    std::vector<CDocument*> GetDocuments() const override;
    CDocument* AddDocument(std::unique_ptr<CDocument> doc) override;
    std::unique_ptr<CDocument> RemoveDocument(CDocument* doc) override;

private:
    std::vector<std::unique_ptr<CDocument>> m_docs;
    // Numbers the default titles of new documents ("Untitled1", "Untitled2" ...).
    int m_nUntitledCount = 0;
};
