#pragma once

#include "framework/String.h"
#include "framework/ToolBar.h"
#include "label/PropertyGridRows.h"
#include "shell/PropertyGrid.h"
#include "uikit/PaintComboBox.h"
#include "uikit/SizingControlBarCF.h"

#include <functional>
#include <vector>

class IPropertyGridHost;

// The tool bar holding the drop-down list of every object on the page shown;
// choosing an entry selects that object in the view.
class CObjectListBar : public CToolBar
{
    DECLARE_DYNAMIC(CObjectListBar)

public:
    static constexpr UINT kComboId = 141;

    void AttachHost(IPropertyGridHost* host) { m_host = host; }
    // Told the name of an object chosen in the list.
    void SetOnChoose(std::function<void(const CString&)> onChoose) { m_onChoose = std::move(onChoose); }

    // Creates the drop-down list in the bar's first button slot.
    void CreateCombo();
    // Refills the list from the view's rows and selects the named object.
    void FillList(const CString& selectedName);
    // The object the list's current entry stands for; empty when none.
    CString CurrentObject() const;
    CPaintComboBox& Combo() { return m_combo; }
    void OnSelChange();

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    IPropertyGridHost* m_host = nullptr;
    std::function<void(const CString&)> m_onChoose;
    CPaintComboBox m_combo;
    // The entries of the last fill; an entry's item data is its index here.
    std::vector<ObjectListEntry> m_entries;
};

// The docking pane "Properties": the property grid of the selected object.
class CPropertiesBar : public CSizingControlBarCF
{
    DECLARE_DYNAMIC(CPropertiesBar)

public:
    void AttachHost(IPropertyGridHost* host) { m_grid.AttachHost(host); }
    void AttachObjectList(CObjectListBar* list) { m_objectList = list; }
    // Told the object after the grid, for the Text pane.
    void SetOnObjectShown(std::function<void(const CString&)> shown) { m_onObjectShown = std::move(shown); }

    // Every selection change ends here: the object list, the caption, the grid
    // and the Text pane follow the named object.
    void ShowObject(const CString& objectName);
    // The size the pane floats at.
    SIZE GetStoredSize() const { return sizeFloat; }
    CPropertyGrid& Grid() { return m_grid; }
    // Places the grid for the pane's size and docking.
    void LayOutGrid();

protected:
    int OnCreate(LPCREATESTRUCTA cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    CPropertyGrid m_grid;
    CObjectListBar* m_objectList = nullptr;
    std::function<void(const CString&)> m_onObjectShown;
};
