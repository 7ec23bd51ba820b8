#include "shell/MainFrame.h"

#include "framework/View.h"
#include "shell/PropertyGridHost.h"
#include "shell/ObjectToolBarHost.h"
#include "shell/TextPaneHost.h"

// The panes read and change the label through the view; the frame hands them
// the view it shows, which may change with each document.
void CMainFrame::AttachPanesToView()
{
    IPropertyGridHost* host = dynamic_cast<IPropertyGridHost*>(GetActiveView());
    m_propertiesPane.AttachHost(host);
    m_propertiesPane.AttachObjectList(&m_objectListBar);
    m_objectListBar.AttachHost(host);
    m_objectListBar.SetOnChoose([this](const CString& name) { ShowObject(name); });
    m_textPane.AttachHost(dynamic_cast<ITextPaneHost*>(GetActiveView()));
    m_objectToolBar.AttachHost(dynamic_cast<IObjectDropHost*>(GetActiveView()));
    m_propertiesPane.SetOnObjectShown([this](const CString& name) {
        if (m_textPane.m_hWnd)
            m_textPane.ShowObject(name);
    });
}

void CMainFrame::ShowObject(const CString& objectName)
{
    m_strShownObject = objectName;
    AttachPanesToView();
    // The Properties pane tells the Text pane in turn.
    if (m_propertiesPane.m_hWnd)
        m_propertiesPane.ShowObject(objectName);
    else if (m_textPane.m_hWnd)
        m_textPane.ShowObject(objectName);
}

void CMainFrame::ShowProperties(const CString& objectName)
{
    m_strShownObject = objectName;
    AttachPanesToView();
    if (m_propertiesPane.Grid().m_hWnd)
        m_propertiesPane.Grid().ShowProperties(objectName);
}
