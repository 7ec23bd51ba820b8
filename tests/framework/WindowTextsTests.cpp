// Texts read back from real controls, menus and the registry at their real
// length: every reader gives the whole text, however long, where a fixed
// buffer would cut it or run over.
#include "framework/ComboBox.h"
#include "framework/ListBox.h"
#include "framework/ListCtrl.h"
#include "framework/RegistryKey.h"
#include "framework/TabCtrl.h"
#include "framework/WindowTexts.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace {

// A text of `length` characters that tells where it was cut.
std::string LongText(size_t length)
{
    std::string text;
    for (size_t i = 0; text.size() < length; ++i)
        text += std::to_string(i) + ' ';
    text.resize(length);
    return text;
}

// Compares without printing the texts: a long one would drown the report.
void ExpectWhole(const CString& read, const std::string& text, const char* reader)
{
    EXPECT_EQ(static_cast<size_t>(read.GetLength()), text.size()) << reader;
    EXPECT_TRUE(text == read.c_str()) << reader << " read another text";
}

// A hidden window holding one control of each kind that shows texts.
class ControlsWithTexts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
        ::InitCommonControlsEx(&controls);
        m_parent = ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                     nullptr, nullptr);
        ASSERT_NE(m_parent, nullptr);
        m_edit = Child("EDIT", ES_MULTILINE | ES_AUTOHSCROLL, kEditId);
        m_combo = Child("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, kComboId);
        m_list = Child("LISTBOX", LBS_NOTIFY, kListId);
        m_listView = Child(WC_LISTVIEWA, LVS_REPORT, kListViewId);
        m_tab = Child(WC_TABCONTROLA, 0, kTabId);
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        column.cx = 100;
        ::SendMessageA(m_listView, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        ::SendMessageA(m_listView, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
        m_menu = ::CreatePopupMenu();
    }
    void TearDown() override
    {
        if (m_menu)
            ::DestroyMenu(m_menu);
        if (m_parent)
            ::DestroyWindow(m_parent);
    }

    HWND Child(const char* className, DWORD style, int id)
    {
        HWND child = ::CreateWindowExA(0, className, "", WS_CHILD | style, 0, 0, 200, 100, m_parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        EXPECT_NE(child, nullptr) << className;
        return child;
    }

    static constexpr int kEditId = 101;
    static constexpr int kComboId = 102;
    static constexpr int kListId = 103;
    static constexpr int kListViewId = 104;
    static constexpr int kTabId = 105;
    HWND m_parent = nullptr;
    HWND m_edit = nullptr;
    HWND m_combo = nullptr;
    HWND m_list = nullptr;
    HWND m_listView = nullptr;
    HWND m_tab = nullptr;
    HMENU m_menu = nullptr;
};

}  // namespace

TEST_F(ControlsWithTexts, EveryReaderGivesTheWholeText)
{
    // Around the sizes fixed buffers used to have, and far beyond them.
    for (const size_t length : {size_t{0}, size_t{255}, size_t{256}, size_t{300}, size_t{1023}, size_t{1500},
                                size_t{70000}}) {
        SCOPED_TRACE(testing::Message() << length << " characters");
        const std::string text = LongText(length);
        const int index = static_cast<int>(::SendMessageA(m_combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
        ::SendMessageA(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ::SetWindowTextA(m_edit, text.c_str());
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<char*>("name");
        ::SendMessageA(m_listView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(text.c_str());
        ::SendMessageA(m_listView, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        TCITEMA tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(text.c_str());
        ::SendMessageA(m_tab, TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
        ::AppendMenuA(m_menu, MF_STRING, static_cast<UINT_PTR>(1000 + index), text.c_str());

        ExpectWhole(WindowTextOf(m_edit), text, "WindowTextOf");
        ExpectWhole(DlgItemTextOf(m_parent, kEditId), text, "DlgItemTextOf");
        ExpectWhole(ComboItemTextOf(m_combo, index), text, "ComboItemTextOf");
        ExpectWhole(ListBoxItemTextOf(m_list, index), text, "ListBoxItemTextOf");
        ExpectWhole(ListViewItemTextOf(m_listView, index, 1), text, "ListViewItemTextOf");
        ExpectWhole(TabItemTextOf(m_tab, index), text, "TabItemTextOf");
        ExpectWhole(MenuItemTextOf(m_menu, static_cast<UINT>(1000 + index), MF_BYCOMMAND), text, "MenuItemTextOf");

        // The framework's control classes read through the same helpers.
        CWnd parent;
        parent.Attach(m_parent);
        CString read;
        parent.GetDlgItemText(kEditId, read);
        ExpectWhole(read, text, "a class reader");
        parent.Detach();
        CComboBox combo;
        combo.Attach(m_combo);
        combo.GetLBText(index, read);
        ExpectWhole(read, text, "a class reader");
        combo.Detach();
        CListBox list;
        list.Attach(m_list);
        list.GetText(index, read);
        ExpectWhole(read, text, "a class reader");
        list.Detach();
        CListCtrl listView;
        listView.Attach(m_listView);
        ExpectWhole(listView.GetItemText(index, 1), text, "listView.GetItemText");
        listView.Detach();
        CTabCtrl tabs;
        tabs.Attach(m_tab);
        ExpectWhole(tabs.GetItemText(index), text, "tabs.GetItemText");
        tabs.Detach();
    }
}

TEST_F(ControlsWithTexts, MissingItemsAndWindowsGiveEmptyTexts)
{
    EXPECT_TRUE(WindowTextOf(nullptr).IsEmpty());
    EXPECT_TRUE(DlgItemTextOf(m_parent, 999).IsEmpty());
    EXPECT_TRUE(ComboItemTextOf(m_combo, 5).IsEmpty());
    EXPECT_TRUE(ComboItemTextOf(m_combo, -1).IsEmpty());
    EXPECT_TRUE(ListBoxItemTextOf(m_list, 5).IsEmpty());
    EXPECT_TRUE(ListViewItemTextOf(m_listView, 5, 0).IsEmpty());
    EXPECT_TRUE(TabItemTextOf(m_tab, 5).IsEmpty());
    EXPECT_TRUE(MenuItemTextOf(m_menu, 5, MF_BYPOSITION).IsEmpty());
    EXPECT_EQ(WindowClassNameOf(m_combo), "ComboBox");
}

TEST(WindowTexts, ClassNamesAndRegistryValuesAreReadWhole)
{
    // A class of a name longer than the buffers that compared class names held.
    const std::string className = "SleevoryTestClass" + LongText(200);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className.c_str();
    ASSERT_NE(::RegisterClassA(&windowClass), 0);
    HWND window = ::CreateWindowExA(0, className.c_str(), "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                    windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowClassNameOf(window).c_str(), className);
    ::DestroyWindow(window);
    ::UnregisterClassA(className.c_str(), windowClass.hInstance);

    const std::string keyPath = "Software\\SleevoryTests\\WindowTexts_" + std::to_string(::GetCurrentProcessId());
    CRegistryKey key;
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, keyPath.c_str(), KEY_ALL_ACCESS));
    for (const size_t length : {size_t{300}, size_t{1500}, size_t{70000}}) {
        SCOPED_TRACE(testing::Message() << length << " characters");
        const std::string text = LongText(length);
        ASSERT_TRUE(key.WriteString("Text", text.c_str()));
        CString read;
        ASSERT_TRUE(key.ReadString("Text", read));
        ExpectWhole(read, text, "a class reader");
        ASSERT_TRUE(key.WriteBinary("Bytes", text.data(), static_cast<DWORD>(text.size())));
        std::vector<BYTE> bytes;
        ASSERT_TRUE(key.ReadBinary("Bytes", bytes));
        ExpectWhole(CString(std::string(bytes.begin(), bytes.end())), text, "ReadBinary");
    }
    key.Close();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, keyPath.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SleevoryTests");
}
