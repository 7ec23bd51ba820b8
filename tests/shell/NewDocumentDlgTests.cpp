// The New Document dialog run modally and worked from a timer: the result of
// each layout with and without the default template, Cancel, Escape and
// closing, the list and check box it opens with, and New and Open of the main
// frame switched off while it is open.
#include "shell/NewDocumentDlg.h"

#include "SmallDialogTestSupport.h"
#include "resource.h"

namespace {

constexpr char kCaption[] = " New Document";

HWND List(HWND dialog)
{
    return Item(dialog, IDC_NEW_DOCUMENT_LIST);
}

// A mouse click (or double click) in the middle of a list item.
void ClickListItem(HWND dialog, int index, bool doubleClick = false)
{
    RECT rect{};
    ::SendMessageA(List(dialog), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::SendMessageA(List(dialog), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(List(dialog), WM_LBUTTONUP, 0, at);
    if (doubleClick) {
        ::SendMessageA(List(dialog), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        ::SendMessageA(List(dialog), WM_LBUTTONUP, 0, at);
    }
}

std::string ListText(HWND dialog, int index)
{
    char text[64] = {};
    ::SendMessageA(List(dialog), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

class NewDocumentDlgTest : public SmallDialogTest {
protected:
    INT_PTR Run(std::vector<ModalDriver::Step> steps)
    {
        CNewDocumentDlg dialog;
        ModalDriver driver(kCaption, std::move(steps));
        const INT_PTR result = driver.Run([&] { return dialog.DoModal(); });
        EXPECT_TRUE(driver.AllStepsRun());
        EXPECT_FALSE(driver.ClosedByDriver()) << "the dialog did not end by itself";
        return result;
    }
};

}  // namespace

TEST_F(NewDocumentDlgTest, EachLayoutWithAndWithoutTheTemplate)
{
    struct Case {
        int item;
        bool untick;
        bool doubleClick;  // a double click on the item instead of OK
        INT_PTR expected;
    };
    const Case cases[] = {
        {0, false, false, CNewDocumentDlg::kSingleFromTemplate},
        {0, true, false, CNewDocumentDlg::kSingleEmpty},
        {1, false, false, CNewDocumentDlg::kDoubleFromTemplate},
        {1, true, false, CNewDocumentDlg::kDoubleEmpty},
        {1, false, true, CNewDocumentDlg::kDoubleFromTemplate},
        {0, true, true, CNewDocumentDlg::kSingleEmpty},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "item " << c.item << (c.untick ? " unticked" : " ticked")
                                        << (c.doubleClick ? " double click" : " OK"));
        const INT_PTR result = Run({[&](HWND dialog) {
            if (c.untick)
                Click(dialog, IDC_NEW_DOCUMENT_DEFAULT);
            ClickListItem(dialog, c.item, c.doubleClick);
            if (!c.doubleClick)
                Click(dialog, IDOK);
        }});
        EXPECT_EQ(result, c.expected);
    }
}

TEST_F(NewDocumentDlgTest, CancelEscapeAndClosingAnswerMinusOne)
{
    const std::vector<std::pair<const char*, ModalDriver::Step>> ways = {
        {"Cancel", [](HWND dialog) { Click(dialog, IDCANCEL); }},
        {"Escape", [](HWND dialog) { PressEscape(dialog); }},
        {"close", [](HWND dialog) { ::PostMessageA(dialog, WM_CLOSE, 0, 0); }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        const INT_PTR result = Run({[&](HWND dialog) {
            ClickListItem(dialog, 1);
            way(dialog);
        }});
        EXPECT_EQ(result, CNewDocumentDlg::kCancelled);
    }
}

TEST_F(NewDocumentDlgTest, OpensWithSingleCdAndTheTemplateTicked)
{
    std::vector<std::string> items;
    int selected = -2;
    std::string checkBox;
    bool ticked = false;
    std::vector<int> iconIndices;
    Run({[&](HWND dialog) {
        const int count = static_cast<int>(::SendMessageA(List(dialog), LB_GETCOUNT, 0, 0));
        auto* list = dynamic_cast<CIconListBox*>(CWnd::FromHandlePermanent(List(dialog)));
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < count; ++i) {
            items.push_back(ListText(dialog, i));
            iconIndices.push_back(list->GetItemInfo(i) ? list->GetItemInfo(i)->m_nIconIndex : -1);
        }
        selected = static_cast<int>(::SendMessageA(List(dialog), LB_GETCURSEL, 0, 0));
        checkBox = TextOf(Item(dialog, IDC_NEW_DOCUMENT_DEFAULT));
        ticked = IsChecked(dialog, IDC_NEW_DOCUMENT_DEFAULT);
        Click(dialog, IDCANCEL);
    }});
    EXPECT_EQ(items, (std::vector<std::string>{"Single CD", "Double CD"}));
    EXPECT_EQ(iconIndices, (std::vector<int>{0, 1}));
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(checkBox, "Use Default Template. (Single CD)");
    EXPECT_TRUE(ticked);
    // The pictures are the main frame's document icons.
    EXPECT_EQ(frame.DocumentIcons().GetImageCount(), 6);
    EXPECT_EQ(frame.DocumentIcons().GetImageSize().cx, 32);
}

TEST_F(NewDocumentDlgTest, CheckBoxNamesTheSelectedLayout)
{
    std::vector<std::string> captions;
    Run({[&](HWND dialog) {
             ClickListItem(dialog, 1);
             captions.push_back(TextOf(Item(dialog, IDC_NEW_DOCUMENT_DEFAULT)));
             ClickListItem(dialog, 0);
             captions.push_back(TextOf(Item(dialog, IDC_NEW_DOCUMENT_DEFAULT)));
         },
         [&](HWND dialog) { Click(dialog, IDCANCEL); }});
    EXPECT_EQ(captions, (std::vector<std::string>{"Use Default Template. (Double CD)",
                                                  "Use Default Template. (Single CD)"}));
}

TEST_F(NewDocumentDlgTest, OkWithoutASelectionKeepsTheDialogOpen)
{
    bool stillOpen = false;
    const INT_PTR result = Run({[](HWND dialog) {
                                    ::SendMessageA(List(dialog), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
                                    Click(dialog, IDOK);
                                },
                                // Reached only when the dialog is still up a tick later.
                                [&](HWND dialog) {
                                    stillOpen = ::IsWindowVisible(dialog) != FALSE;
                                    EXPECT_FALSE(frame.IsNewOpenEnabled()) << "New and Open stay off while it is open";
                                    ClickListItem(dialog, 1);
                                    Click(dialog, IDOK);
                                }});
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, CNewDocumentDlg::kDoubleFromTemplate);
}

TEST_F(NewDocumentDlgTest, NewAndOpenAreOffOnlyWhileTheDialogIsOpen)
{
    for (const int button : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        ASSERT_TRUE(frame.IsNewOpenEnabled());
        std::optional<bool> newWhileOpen;
        std::optional<bool> openWhileOpen;
        Run({[&](HWND dialog) {
            newWhileOpen = FrameEnables(ID_FILE_NEW);
            openWhileOpen = FrameEnables(ID_FILE_OPEN);
            Click(dialog, button);
        }});
        EXPECT_EQ(newWhileOpen, std::optional<bool>(false));
        EXPECT_EQ(openWhileOpen, std::optional<bool>(false));
        EXPECT_EQ(FrameEnables(ID_FILE_NEW), std::optional<bool>(true));
        EXPECT_EQ(FrameEnables(ID_FILE_OPEN), std::optional<bool>(true));
    }
}

TEST_F(NewDocumentDlgTest, WindowIconIsTheDialogImage)
{
    LoadAppImages();
    HICON icon = nullptr;
    Run({[&](HWND dialog) {
        icon = reinterpret_cast<HICON>(::SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0));
        Click(dialog, IDCANCEL);
    }});
    EXPECT_NE(icon, nullptr);
}
