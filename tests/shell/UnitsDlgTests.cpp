// The Units dialog, run from the label view's Units command and on its own:
// the unit it opens with, what OK stores in the view and in the settings, and
// that Cancel stores nothing.
#include "shell/UnitsDlg.h"

#include "SmallDialogTestSupport.h"
#include "resource.h"

namespace {

constexpr char kCaption[] = " Units";

std::string SelectedUnit(HWND dialog)
{
    HWND combo = Item(dialog, IDC_UNITS_LIST);
    const LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    char text[64] = {};
    if (index >= 0)
        ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

class UnitsDlgTest : public SmallDialogTest {
protected:
    void RunCommand(std::vector<ModalDriver::Step> steps)
    {
        ModalDriver driver(kCaption, std::move(steps));
        // Through the view's command table, as the Layout menu sends it.
        EXPECT_TRUE(driver.Run([&] { return view.ExecuteCommand(ID_LAYOUT_UNITS); }));
        EXPECT_TRUE(driver.AllStepsRun());
        EXPECT_FALSE(driver.ClosedByDriver());
    }

    ScratchSettingsKey settings;
};

}  // namespace

TEST_F(UnitsDlgTest, OkStoresTheChosenUnit)
{
    struct Case {
        const char* before;
        int choose;  // item chosen before OK
        const char* after;
    };
    const Case cases[] = {
        {"Inches", 1, "Millimeters"},
        {"Millimeters", 0, "Inches"},
        {"Inches", 0, "Inches"},
        {"Millimeters", 1, "Millimeters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << " -> " << c.after);
        view.m_strUnits = c.before;
        std::string opened;
        std::vector<std::string> items;
        RunCommand({[&](HWND dialog) {
            opened = SelectedUnit(dialog);
            HWND combo = Item(dialog, IDC_UNITS_LIST);
            for (int i = 0; i < 2; ++i) {
                ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
                items.push_back(SelectedUnit(dialog));
            }
            ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(c.choose), 0);
            Click(dialog, IDOK);
        }});
        EXPECT_EQ(opened, c.before) << "opens with the view's unit";
        EXPECT_EQ(items, (std::vector<std::string>{"Inches", "Millimeters"}));
        EXPECT_EQ(view.m_strUnits, CString(c.after));
        EXPECT_EQ(settings.String("Units"), std::optional<std::string>(c.after));
    }
}

TEST_F(UnitsDlgTest, CancelAndEscapeStoreNothing)
{
    const std::vector<std::pair<const char*, ModalDriver::Step>> ways = {
        {"Cancel", [](HWND dialog) { Click(dialog, IDCANCEL); }},
        {"Escape", [](HWND dialog) { PressEscape(dialog); }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        view.m_strUnits = "Inches";
        RunCommand({[&](HWND dialog) {
            ::SendMessageA(Item(dialog, IDC_UNITS_LIST), CB_SETCURSEL, 1, 0);
            way(dialog);
        }});
        EXPECT_EQ(view.m_strUnits, CString("Inches"));
        EXPECT_FALSE(settings.HasValue("Units"));
    }
}

TEST_F(UnitsDlgTest, TheDialogOnItsOwnAnswersOkOrCancel)
{
    for (const int button : {IDOK, IDCANCEL}) {
        CUnitsDlg dialog(view.m_strUnits, &view);
        ModalDriver driver(kCaption, {[&](HWND window) { Click(window, button); }});
        EXPECT_EQ(driver.Run([&] { return dialog.DoModal(); }), button);
    }
}
