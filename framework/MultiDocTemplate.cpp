#include "framework/MultiDocTemplate.h"

#include "framework/Document.h"
#include "framework/FrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                                     const CRuntimeClass* viewClass)
    : CDocTemplate(resourceId, docClass, frameClass, viewClass)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    m_docs.clear();
}

std::vector<CDocument*> CMultiDocTemplate::GetDocuments() const
{
    std::vector<CDocument*> docs;
    docs.reserve(m_docs.size());
    for (const auto& doc : m_docs)
        docs.push_back(doc.get());
    return docs;
}

CDocument* CMultiDocTemplate::AddDocument(std::unique_ptr<CDocument> doc)
{
    if (!doc)
        return nullptr;
    SetDocumentTemplate(doc.get(), this);
    m_docs.push_back(std::move(doc));
    return m_docs.back().get();
}

std::unique_ptr<CDocument> CMultiDocTemplate::RemoveDocument(CDocument* doc)
{
    const auto found = std::find_if(m_docs.begin(), m_docs.end(),
                                    [doc](const std::unique_ptr<CDocument>& held) { return held.get() == doc; });
    if (!doc || found == m_docs.end())
        return nullptr;
    std::unique_ptr<CDocument> removed = std::move(*found);
    m_docs.erase(found);
    SetDocumentTemplate(doc, nullptr);
    return removed;
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR path, BOOL makeVisible)
{
    CDocument* doc = CreateNewDocument();
    if (!doc)
        return nullptr;

    const bool autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = false;  // a failing frame must not take the document along
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        RemoveDocument(doc);
        return nullptr;
    }

    auto dropNewFrame = [&] {
        // Destroying the frame closes the new document with its last view.
        frame->DestroyWindow();
        RemoveDocument(doc);
    };

    if (!path) {
        SetDefaultTitle(doc);
        CString title = doc->GetTitle();
        title.AppendFormat("%d", ++m_nUntitledCount);
        doc->SetTitle(title);
        if (!doc->OnNewDocument()) {
            dropNewFrame();
            return nullptr;
        }
    } else {
        if (!doc->OnOpenDocument(path)) {
            dropNewFrame();
            return nullptr;
        }
        doc->SetPathName(path);
    }
    InitialUpdateFrame(frame, doc, makeVisible);
    return doc;
}
