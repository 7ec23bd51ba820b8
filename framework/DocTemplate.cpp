#include "framework/DocTemplate.h"

#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/View.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass)
{
    m_strDocStrings.LoadString(resourceId);
}

CDocTemplate::~CDocTemplate() = default;

bool CDocTemplate::GetDocString(CString& text, DocStringIndex index) const
{
    text.Empty();
    int start = 0;
    for (int field = 0; field < index; ++field) {
        const int newline = m_strDocStrings.Find('\n', start);
        if (newline < 0)
            return false;
        start = newline + 1;
    }
    const int end = m_strDocStrings.Find('\n', start);
    text = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return !text.IsEmpty();
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass)
        return nullptr;
    std::unique_ptr<CObject> object = m_pDocClass->CreateObject();
    auto* doc = dynamic_cast<CDocument*>(object.get());
    if (!doc)
        return nullptr;
    object.release();
    return AddDocument(std::unique_ptr<CDocument>(doc));
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd* other)
{
    if (!m_pFrameClass)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = other;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    std::unique_ptr<CObject> object = m_pFrameClass->CreateObject();
    auto* frame = dynamic_cast<CFrameWnd*>(object.get());
    if (!frame)
        return nullptr;
    // The object stays ours until its window exists; a failed creation must not
    // let the frame delete itself too.
    frame->m_bAutoDelete = false;
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    frame->m_bAutoDelete = true;
    object.release();  // the window owns it now
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible)
{
    frame->InitialUpdateFrame(doc, makeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* doc)
{
    CString title;
    if (!GetDocString(title, docName))
        title = "Untitled";
    doc->SetTitle(title);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (CDocument* doc : GetDocuments()) {
        if (!doc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    for (CDocument* doc : GetDocuments())
        doc->OnCloseDocument();
}

void CDocTemplate::SetDocumentTemplate(CDocument* doc, CDocTemplate* owner)
{
    doc->m_pDocTemplate = owner;
}

CDocument* CDocTemplate::AddDocument(std::unique_ptr<CDocument>)
{
    return nullptr;  // a template without a store of its own keeps no documents
}

std::unique_ptr<CDocument> CDocTemplate::RemoveDocument(CDocument* doc)
{
    if (doc && doc->GetDocTemplate() == this)
        SetDocumentTemplate(doc, nullptr);
    return nullptr;
}

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, const CRuntimeClass* docClass,
                                       const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : CDocTemplate(resourceId, docClass, frameClass, viewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    // Views still showing the document lose it before it goes.
    m_onlyDoc.reset();
}

std::vector<CDocument*> CSingleDocTemplate::GetDocuments() const
{
    if (!m_onlyDoc)
        return {};
    return {m_onlyDoc.get()};
}

CDocument* CSingleDocTemplate::AddDocument(std::unique_ptr<CDocument> doc)
{
    if (!doc || m_onlyDoc)
        return nullptr;  // one document at a time; a second one is refused (and goes)
    SetDocumentTemplate(doc.get(), this);
    m_onlyDoc = std::move(doc);
    return m_onlyDoc.get();
}

std::unique_ptr<CDocument> CSingleDocTemplate::RemoveDocument(CDocument* doc)
{
    if (!doc || m_onlyDoc.get() != doc)
        return nullptr;
    SetDocumentTemplate(doc, nullptr);
    return std::move(m_onlyDoc);
}

namespace {

CFrameWnd* FrameOf(CDocument* doc)
{
    for (CView* view : doc->GetViews()) {
        if (CFrameWnd* frame = view->GetParentFrame())
            return frame;
    }
    return nullptr;
}

}  // namespace

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR path, BOOL makeVisible)
{
    CDocument* doc = m_onlyDoc.get();
    CFrameWnd* frame = nullptr;
    bool created = false;
    if (doc) {
        // The one document is reused: it must be allowed to go first.
        if (!doc->SaveModified())
            return nullptr;
        frame = FrameOf(doc);
    } else {
        doc = CreateNewDocument();
        if (!doc)
            return nullptr;
        created = true;
    }

    if (!frame) {
        const bool autoDelete = doc->m_bAutoDelete;
        doc->m_bAutoDelete = false;  // a failing frame must not take the document along
        frame = CreateNewFrame(doc, nullptr);
        doc->m_bAutoDelete = autoDelete;
        if (!frame) {
            if (created)
                RemoveDocument(doc);
            return nullptr;
        }
    }

    auto dropNewFrame = [&] {
        // Destroying the frame closes the new document with its last view.
        frame->DestroyWindow();
        if (m_onlyDoc.get() == doc)
            RemoveDocument(doc);
    };

    if (!path) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            if (created)
                dropNewFrame();
            return nullptr;
        }
    } else {
        const BOOL wasModified = doc->IsModified();
        doc->SetModifiedFlag(FALSE);
        if (!doc->OnOpenDocument(path)) {
            if (created) {
                dropNewFrame();
            } else if (!doc->IsModified()) {
                doc->SetModifiedFlag(wasModified);  // nothing was touched
            } else {
                // Half read: start over with an empty document rather than keep a mix.
                SetDefaultTitle(doc);
                doc->OnNewDocument();
            }
            return nullptr;
        }
        doc->SetPathName(path);
    }

    CWinApp* app = GetApp();
    if (created && app && !app->m_pMainWnd)
        app->m_pMainWnd = frame;
    InitialUpdateFrame(frame, doc, makeVisible);
    return doc;
}
