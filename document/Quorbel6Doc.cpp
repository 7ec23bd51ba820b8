#include "document/Quorbel6Doc.h"

#include "framework/ErrorReport.h"
#include "framework/View.h"
#include "resource.h"
#include "document/LabelView.h"

IMPLEMENT_DYNCREATE(CQuorbel6Doc, CDocument)

BEGIN_COMMAND_MAP(CQuorbel6Doc, CDocument)
    ON_CMD(ID_FILE_NEW, OnFileNew)
    ON_CMD(ID_FILE_OPEN, OnFileOpen)
    ON_CMD(ID_FILE_SAVE, OnFileSave)
    ON_CMD(ID_FILE_SAVE_AS, OnFileSaveAs)
    ON_CMD(ID_FILE_SAVE_AS_DEFAULT_TEMPLATE, OnFileSaveAsDefaultTemplate)
END_COMMAND_MAP()

CQuorbel6Doc::CQuorbel6Doc() = default;

CQuorbel6Doc::~CQuorbel6Doc() = default;

void CQuorbel6Doc::DeleteContents()
{
    Guarded(146, ErrorSink::App(), [&] { CDocument::DeleteContents(); });
}

ILabelView* CQuorbel6Doc::GetLabelView() const
{
    for (CView* view : GetViews()) {
        if (auto* labelView = dynamic_cast<ILabelView*>(view))
            return labelView;
    }
    return nullptr;
}

CProperty* CQuorbel6Doc::AddProperty(const CString& objectName, const CString& key, const CString& value, BYTE shown,
                                     const CString& editorKind, const CString& choices, int rowsAfter)
{
    return Guarded(143, ErrorSink::App(), nullptr, [&] {
        return m_properties.Emplace(objectName, key, value, static_cast<int>(shown), editorKind, choices, rowsAfter);
    });
}

CText* CQuorbel6Doc::AddText(int origin, const CString& name, const CString& itemType, const CString& value)
{
    return Guarded(144, ErrorSink::App(), nullptr, [&] { return m_texts.Emplace(origin, name, itemType, value); });
}

void CQuorbel6Doc::DeleteRecords()
{
    Guarded(149, ErrorSink::App(), [&] {
        m_properties.RemoveAll();
        m_texts.RemoveAll();
    });
}
