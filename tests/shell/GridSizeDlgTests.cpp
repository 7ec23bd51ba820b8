// The Grid Size dialog, run from the label view's Grid Size command and on its
// own: the spacing it shows in each unit, how it tidies an entry when the
// field is left, the spacing OK stores in the view and in the settings, and
// that nothing is stored without a change or on Cancel.
#include "shell/GridSizeDlg.h"

#include "SmallDialogTestSupport.h"
#include "resource.h"

namespace {

constexpr char kCaption[] = " Grid Size";

void Type(HWND dialog, int id, const char* text)
{
    ::SetWindowTextA(Item(dialog, id), text);
}

class GridSizeDlgTest : public SmallDialogTest {
protected:
    void SetUpView(const char* units, int horizontal, int vertical)
    {
        view.m_strUnits = units;
        view.m_nGridSpacingX = horizontal;
        view.m_nGridSpacingY = vertical;
    }
    void RunCommand(std::vector<ModalDriver::Step> steps)
    {
        ModalDriver driver(kCaption, std::move(steps));
        // Through the view's command table, as the Layout menu sends it.
        EXPECT_TRUE(driver.Run([&] { return view.ExecuteCommand(ID_LAYOUT_GRID_SIZE); }));
        EXPECT_TRUE(driver.AllStepsRun());
        EXPECT_FALSE(driver.ClosedByDriver());
    }
    // Types both entries, going from field to field, and clicks OK (which
    // takes the focus, so the second field is left too).
    void Enter(const char* horizontal, const char* vertical)
    {
        RunCommand({[&](HWND dialog) {
            ::SetFocus(Item(dialog, IDC_GRID_SIZE_HORIZONTAL));
            Type(dialog, IDC_GRID_SIZE_HORIZONTAL, horizontal);
            ::SetFocus(Item(dialog, IDC_GRID_SIZE_VERTICAL));
            Type(dialog, IDC_GRID_SIZE_VERTICAL, vertical);
            Click(dialog, IDOK);
        }});
    }

    ScratchSettingsKey settings;
};

}  // namespace

TEST_F(GridSizeDlgTest, ShowsTheSpacingInTheViewsUnit)
{
    struct Case {
        const char* units;
        int horizontal;
        int vertical;
        const char* shownHorizontal;
        const char* shownVertical;
    };
    const Case cases[] = {
        {"Inches", 100, 250, "0.100 ''", "0.250 ''"},
        {"Inches", 30, 1000, "0.030 ''", "1.000 ''"},
        {"Millimeters", 100, 196, "2.5 mm", "5.0 mm"},
        {"Millimeters", 1000, 30, "25.4 mm", "0.8 mm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.units << " " << c.horizontal << "," << c.vertical);
        SetUpView(c.units, c.horizontal, c.vertical);
        std::string horizontal;
        std::string vertical;
        RunCommand({[&](HWND dialog) {
            horizontal = TextOf(Item(dialog, IDC_GRID_SIZE_HORIZONTAL));
            vertical = TextOf(Item(dialog, IDC_GRID_SIZE_VERTICAL));
            Click(dialog, IDCANCEL);
        }});
        EXPECT_EQ(horizontal, c.shownHorizontal);
        EXPECT_EQ(vertical, c.shownVertical);
    }
}

TEST_F(GridSizeDlgTest, OkStoresTheEntriesWithinTheLimits)
{
    struct Case {
        const char* units;
        const char* horizontal;
        const char* vertical;
        int expectedHorizontal;
        int expectedVertical;
    };
    const Case cases[] = {
        {"Millimeters", "5", "5 mm", 196, 196},
        {"Inches", "0.01", "2", 30, 1000},
        {"Inches", "0.7", "0.250 ''", 700, 250},
        {"Inches", "abc", "", 30, 30},
        {"Inches", "-3", "1e9", 30, 1000},
        {"Millimeters", "25.4", "17.8 mm", 1000, 700},
        // Left, 0.5 mm shows as the smallest spacing, "0.8 mm", which is 31.
        {"Millimeters", "0.5", "1000", 31, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.units << " '" << c.horizontal << "' '" << c.vertical << "'");
        SetUpView(c.units, 100, 100);
        Enter(c.horizontal, c.vertical);
        EXPECT_EQ(view.m_nGridSpacingX, c.expectedHorizontal);
        EXPECT_EQ(view.m_nGridSpacingY, c.expectedVertical);
        const std::string stored = std::to_string(c.expectedHorizontal) + "," + std::to_string(c.expectedVertical);
        EXPECT_EQ(settings.String("GridSize"), std::optional<std::string>(stored));
    }
}

TEST_F(GridSizeDlgTest, OkWithoutAChangeStoresNothing)
{
    struct Case {
        const char* units;
        int horizontal;
        int vertical;
    };
    // 197 shows as "5.0 mm", which read back would be 196.
    const Case cases[] = {{"Inches", 100, 100}, {"Inches", 700, 30}, {"Millimeters", 197, 1000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.units << " " << c.horizontal << "," << c.vertical);
        SetUpView(c.units, c.horizontal, c.vertical);
        RunCommand({[](HWND dialog) { Click(dialog, IDOK); }});
        EXPECT_EQ(view.m_nGridSpacingX, c.horizontal);
        EXPECT_EQ(view.m_nGridSpacingY, c.vertical);
        EXPECT_FALSE(settings.HasValue("GridSize"));
    }
}

TEST_F(GridSizeDlgTest, OneChangedEntryStoresBothSpacings)
{
    SetUpView("Inches", 120, 340);
    RunCommand({[](HWND dialog) {
        Type(dialog, IDC_GRID_SIZE_VERTICAL, "0.5");
        Click(dialog, IDOK);
    }});
    EXPECT_EQ(view.m_nGridSpacingX, 120);
    EXPECT_EQ(view.m_nGridSpacingY, 500);
    EXPECT_EQ(settings.String("GridSize"), std::optional<std::string>("120,500"));
}

TEST_F(GridSizeDlgTest, CancelAndEscapeStoreNothing)
{
    const std::vector<std::pair<const char*, ModalDriver::Step>> ways = {
        {"Cancel", [](HWND dialog) { Click(dialog, IDCANCEL); }},
        {"Escape", [](HWND dialog) { PressEscape(dialog); }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        SetUpView("Inches", 100, 100);
        RunCommand({[&](HWND dialog) {
            Type(dialog, IDC_GRID_SIZE_HORIZONTAL, "0.5");
            way(dialog);
        }});
        EXPECT_EQ(view.m_nGridSpacingX, 100);
        EXPECT_FALSE(settings.HasValue("GridSize"));
    }
}

TEST_F(GridSizeDlgTest, LeavingAnEntryShowsItAgainWithinTheLimits)
{
    struct Case {
        const char* units;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {"Inches", "0.01", "0.030 ''"}, {"Inches", "3", "1.000 ''"},     {"Inches", "0.5", "0.500 ''"},
        {"Inches", "x", "0.030 ''"},    {"Millimeters", "5", "5.0 mm"}, {"Millimeters", "100", "25.4 mm"},
        {"Millimeters", "0", "0.8 mm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.units << " '" << c.typed << "'");
        SetUpView(c.units, 100, 100);
        std::string horizontal;
        std::string vertical;
        RunCommand({[&](HWND dialog) {
            // Focus moves from one field to the other and on to the OK button.
            ::SetFocus(Item(dialog, IDC_GRID_SIZE_HORIZONTAL));
            Type(dialog, IDC_GRID_SIZE_HORIZONTAL, c.typed);
            ::SetFocus(Item(dialog, IDC_GRID_SIZE_VERTICAL));
            Type(dialog, IDC_GRID_SIZE_VERTICAL, c.typed);
            ::SetFocus(Item(dialog, IDOK));
            horizontal = TextOf(Item(dialog, IDC_GRID_SIZE_HORIZONTAL));
            vertical = TextOf(Item(dialog, IDC_GRID_SIZE_VERTICAL));
            Click(dialog, IDCANCEL);
        }});
        EXPECT_EQ(horizontal, c.shown);
        EXPECT_EQ(vertical, c.shown);
    }
}

TEST_F(GridSizeDlgTest, TheDialogOnItsOwnAnswersOkOrCancel)
{
    SetUpView("Inches", 100, 100);
    for (const int button : {IDOK, IDCANCEL}) {
        CGridSizeDlg dialog(view.m_nGridSpacingX, view.m_nGridSpacingY, false, &view);
        ModalDriver driver(kCaption, {[&](HWND window) { Click(window, button); }});
        EXPECT_EQ(driver.Run([&] { return dialog.DoModal(); }), button);
    }
}
