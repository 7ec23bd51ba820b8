#include "ViewTestSupport.h"

#include "album/CddbSite.h"
#include "support/RefusedMachineSettings.h"

#include <climits>
#include <functional>
#include <string>

namespace
{
class SettingsTest : public ViewWithScratchSettings
{
protected:
    // Values no reading rule gives, so that a value the reader forgot shows.
    void Poison()
    {
        m_app.m_bPrintFront = m_app.m_bPrintBack = m_app.m_bPrintDisc1 = m_app.m_bPrintDisc2 = 7;
        m_app.m_bCDText = m_app.m_bCDPlayer = m_app.m_bFreedb = m_app.m_bMp3 = m_app.m_bMp3Tag = 7;
        m_app.m_strCDPlayerPath = m_app.m_strFreedbOptions = "poison";
        m_app.m_cddbSite.m_strHost = "poison";
        m_app.m_cddbSite.m_nPort = -7;
        m_app.m_strBrowseDefaultPath = m_app.m_strBrowseFolder = "poison";
        m_app.m_nBrowseSubfolder = m_app.m_nBrowseFilter = -7;
        m_app.m_bHelpImage = m_app.m_bHelpDragDrop = 7;
        m_view.m_strUnits = "poison";
        m_view.m_bShowGuides = m_view.m_bShowDiscGuides = m_view.m_bSnapToGrid = m_view.m_bShowGrid = 7;
        m_view.m_nGridSpacingX = m_view.m_nGridSpacingY = -7;
        m_view.m_nPrintOffsetX = m_view.m_nPrintOffsetY = -7;
        m_view.m_bLabelPaperChosen = m_view.m_bHelpScreen = 7;
        m_view.m_nStartPreset = -7;
    }

    void Load()
    {
        Poison();
        m_view.LoadSettings();
        EXPECT_TRUE(m_errors.empty()) << "first error: " << (m_errors.empty() ? 0 : m_errors.front());
    }
};

TEST_F(SettingsTest, AnEmptyKeyGivesTheDefaultsAndIsCreated)
{
    ASSERT_FALSE(KeyExists());
    Load();
    EXPECT_TRUE(KeyExists());

    EXPECT_EQ(std::string(m_view.m_strUnits), "Inches");
    EXPECT_EQ(m_view.m_bShowGuides, 1);
    EXPECT_EQ(m_view.m_bShowDiscGuides, 1);
    EXPECT_EQ(m_view.m_bSnapToGrid, 0);
    EXPECT_EQ(m_view.m_bShowGrid, 0);
    EXPECT_EQ(m_view.m_nGridSpacingX, 100);
    EXPECT_EQ(m_view.m_nGridSpacingY, 100);
    EXPECT_EQ(m_view.m_nPrintOffsetX, 0);
    EXPECT_EQ(m_view.m_nPrintOffsetY, 0);
    EXPECT_EQ(m_view.m_nStartPreset, 1);
    EXPECT_EQ(m_view.m_bLabelPaperChosen, 0);  // a first run
    EXPECT_EQ(m_view.m_bHelpScreen, 1);

    EXPECT_EQ(m_app.m_bPrintFront, 0);
    EXPECT_EQ(m_app.m_bPrintBack, 0);
    EXPECT_EQ(m_app.m_bPrintDisc1, 1);
    EXPECT_EQ(m_app.m_bPrintDisc2, 1);
    EXPECT_EQ(m_app.m_bFreedb, 1);
    EXPECT_EQ(m_app.m_bCDText, 1);
    EXPECT_EQ(m_app.m_bCDPlayer, 1);
    EXPECT_EQ(m_app.m_bMp3, 1);
    EXPECT_EQ(m_app.m_bMp3Tag, 1);
    EXPECT_EQ(std::string(m_app.m_strCDPlayerPath), "");
    EXPECT_EQ(m_app.m_nBrowseSubfolder, 1);
    EXPECT_EQ(m_app.m_nBrowseFilter, 0);
    EXPECT_EQ(std::string(m_app.m_strBrowseDefaultPath), m_folder + "Backgrounds");
    EXPECT_EQ(std::string(m_app.m_strBrowseFolder), m_folder + "Backgrounds");
    EXPECT_EQ(m_app.m_bHelpImage, 1);
    EXPECT_EQ(m_app.m_bHelpDragDrop, 0);

    // The server record is written back and split into the current server.
    const std::string expected = std::string(kDefaultCddbHost) + "`80`/~cddb/cddb.cgi`Random freedb server`0`````";
    EXPECT_EQ(std::string(m_app.m_strFreedbOptions), expected);
    EXPECT_EQ(GetString("FreedbOptions"), expected);
    const CCddbSite& site = m_app.m_cddbSite;
    EXPECT_EQ(std::string(site.m_strHost), kDefaultCddbHost);
    EXPECT_EQ(site.m_nPort, 80);
    EXPECT_EQ(std::string(site.m_strPath), "/~cddb/cddb.cgi");
    EXPECT_EQ(std::string(site.m_strDescription), "Random freedb server");
    EXPECT_EQ(site.m_bProxy, 0);
    EXPECT_EQ(std::string(site.m_strProxyHost), "");
    EXPECT_EQ(std::string(site.m_strProxyPort), "");
    EXPECT_EQ(std::string(site.m_strProxyUser), "");
    EXPECT_EQ(std::string(site.m_strProxyPassword), "");

    // Nothing else is written at start.
    EXPECT_FALSE(ValueExists("LabelUpdate"));
    EXPECT_FALSE(ValueExists("HelpScreen"));
}

// One reading rule of a yes/no value: what it gives for a missing value and
// for stored numbers.
struct FlagCase
{
    const char* name;
    std::function<int(const CQuorbel6View&, const CAppSettings&)> read;
    int missing;
    int stored0;
    int stored1;
    int stored2;
    int storedAsText;  // the same value stored as a string: not a number, so missing
};

TEST_F(SettingsTest, EachYesNoValueFollowsItsRule)
{
    using V = const CQuorbel6View&;
    using A = const CAppSettings&;
    const FlagCase cases[] = {
        // 1 when present and not 0.
        {"PrintFront", [](V, A a) { return a.m_bPrintFront; }, 0, 0, 1, 1, 0},
        {"PrintBack", [](V, A a) { return a.m_bPrintBack; }, 0, 0, 1, 1, 0},
        {"SnapToGrid", [](V v, A) { return v.m_bSnapToGrid; }, 0, 0, 1, 1, 0},
        {"ShowGrid", [](V v, A) { return v.m_bShowGrid; }, 0, 0, 1, 1, 0},
        // 0 only when present and 0.
        {"PrintDisc1", [](V, A a) { return a.m_bPrintDisc1; }, 1, 0, 1, 1, 1},
        {"PrintDisc2", [](V, A a) { return a.m_bPrintDisc2; }, 1, 0, 1, 1, 1},
        {"Guides", [](V v, A) { return v.m_bShowGuides; }, 1, 0, 1, 1, 1},
        {"Guides", [](V v, A) { return v.m_bShowDiscGuides; }, 1, 0, 1, 1, 1},
        // 1 when missing or exactly 1.
        {"bFreedb", [](V, A a) { return a.m_bFreedb; }, 1, 0, 1, 0, 1},
        {"bCDText", [](V, A a) { return a.m_bCDText; }, 1, 0, 1, 0, 1},
        {"bCDPlayer", [](V, A a) { return a.m_bCDPlayer; }, 1, 0, 1, 0, 1},
        {"bMp3", [](V, A a) { return a.m_bMp3; }, 1, 0, 1, 0, 1},
        {"bMp3Tag", [](V, A a) { return a.m_bMp3Tag; }, 1, 0, 1, 0, 1},
        // Present at all, whatever the value.
        {"LabelUpdate", [](V v, A) { return v.m_bLabelPaperChosen; }, 0, 1, 1, 1, 1},
        {"HelpDragDrop", [](V, A a) { return a.m_bHelpDragDrop; }, 0, 1, 1, 1, 1},
        {"HelpScreen", [](V v, A) { return v.m_bHelpScreen; }, 1, 0, 0, 0, 0},
        {"bHelpImage", [](V, A a) { return a.m_bHelpImage; }, 1, 0, 0, 0, 0},
    };
    for (const FlagCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        const auto readWith = [&](const std::function<void()>& store) {
            ::RegDeleteTreeA(HKEY_CURRENT_USER, m_keyPath.c_str());
            CreateKey();
            store();
            Load();
            return c.read(m_view, m_app);
        };
        EXPECT_EQ(readWith([] {}), c.missing) << "missing";
        EXPECT_EQ(readWith([&] { SetNumber(c.name, 0); }), c.stored0) << "stored 0";
        EXPECT_EQ(readWith([&] { SetNumber(c.name, 1); }), c.stored1) << "stored 1";
        EXPECT_EQ(readWith([&] { SetNumber(c.name, 2); }), c.stored2) << "stored 2";
        EXPECT_EQ(readWith([&] { SetString(c.name, "1"); }), c.storedAsText) << "stored as text";
    }
}

TEST_F(SettingsTest, NumbersAreTakenAsStored)
{
    const struct
    {
        const char* name;
        DWORD stored;
        std::function<int()> read;
        int expected;
    } cases[] = {
        {"Template", 2, [&] { return m_view.m_nStartPreset; }, 2},
        {"Template", 0, [&] { return m_view.m_nStartPreset; }, 0},
        {"Template", static_cast<DWORD>(-1), [&] { return m_view.m_nStartPreset; }, -1},
        {"BrowseSubfolder", 0, [&] { return m_app.m_nBrowseSubfolder; }, 0},
        {"BrowseFilter", 3, [&] { return m_app.m_nBrowseFilter; }, 3},
        {"BrowseFilter", 6, [&] { return m_app.m_nBrowseFilter; }, 6},
        // Outside the filter table: the filter of every image type.
        {"BrowseFilter", 7, [&] { return m_app.m_nBrowseFilter; }, 0},
        {"BrowseFilter", static_cast<DWORD>(-1), [&] { return m_app.m_nBrowseFilter; }, 0},
        {"BrowseFilter", 0x7FFFFFFF, [&] { return m_app.m_nBrowseFilter; }, 0},
    };
    for (const auto& c : cases)
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_keyPath.c_str());
        SetNumber(c.name, c.stored);
        Load();
        EXPECT_EQ(c.read(), c.expected) << c.name << " = " << static_cast<int>(c.stored);
    }
}

TEST_F(SettingsTest, PairsAreSplitAtTheFirstCommaAndKeptInRange)
{
    const struct
    {
        const char* text;
        int gridX, gridY;      // as "GridSize"
        int offsetX, offsetY;  // as "PrintOffset"
    } cases[] = {
        {"50,25", 50, 25, 40, 25},
        {"3,-2", 10, 10, 3, -2},
        {"10,11", 10, 11, 10, 11},
        {"100,100,7", 100, 100, 40, 40},  // split at the first comma only
        {" 200 , 300", 200, 300, 40, 40},
        // A spacing of 0 or less would stall the grid: the smallest spacing.
        {"0,0", 10, 10, 0, 0},
        {"-50,9", 10, 10, -40, 9},
        {"abc,def", 10, 10, 0, 0},
        {"", 10, 10, 0, 0},
        {",", 10, 10, 0, 0},
        {"50,", 50, 10, 40, 0},
        // Without a comma the one number serves both axes.
        {"75", 75, 75, 40, 40},
        {"99999999999,5000", 1000, 1000, 40, 40},
    };
    for (const auto& c : cases)
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_keyPath.c_str());
        SetString("GridSize", c.text);
        SetString("PrintOffset", c.text);
        Load();
        EXPECT_EQ(m_view.m_nGridSpacingX, c.gridX) << '"' << c.text << '"';
        EXPECT_EQ(m_view.m_nGridSpacingY, c.gridY) << '"' << c.text << '"';
        EXPECT_EQ(m_view.m_nPrintOffsetX, c.offsetX) << '"' << c.text << '"';
        EXPECT_EQ(m_view.m_nPrintOffsetY, c.offsetY) << '"' << c.text << '"';
    }
}

TEST_F(SettingsTest, APairStoredAsANumberCountsAsMissing)
{
    SetNumber("GridSize", 0);
    SetNumber("PrintOffset", 5);
    Load();
    EXPECT_EQ(m_view.m_nGridSpacingX, 100);
    EXPECT_EQ(m_view.m_nGridSpacingY, 100);
    EXPECT_EQ(m_view.m_nPrintOffsetX, 0);
    EXPECT_EQ(m_view.m_nPrintOffsetY, 0);
}

TEST_F(SettingsTest, TextsAreTakenAsStored)
{
    const std::string longPath = "C:\\" + std::string(1000, 'p') + "\\cdplayer.ini";
    SetString("CDPlayerPath", longPath);
    SetString("BrowseDefaultPath", "D:\\Pictures");
    SetString("Units", "Millimeters");
    Load();
    // Longer than any fixed buffer, and still read whole.
    EXPECT_EQ(std::string(m_app.m_strCDPlayerPath), longPath);
    EXPECT_EQ(std::string(m_app.m_strBrowseDefaultPath), "D:\\Pictures");
    EXPECT_EQ(std::string(m_app.m_strBrowseFolder), "D:\\Pictures");
    EXPECT_EQ(std::string(m_view.m_strUnits), "Millimeters");
}

TEST_F(SettingsTest, AnUnknownUnitIsShownInInches)
{
    for (const char* units : {"Furlongs", "millimeters", ""})
    {
        SetString("Units", units);
        Load();
        EXPECT_EQ(std::string(m_view.m_strUnits), "Inches") << units;
    }
}

TEST_F(SettingsTest, TheServerRecordIsSplitIntoItsNineFields)
{
    const struct
    {
        const char* record;
        const char* fields[9];
        int port;
        int proxy;
    } cases[] = {
        {"cddb.example.net`8880`/cgi/cddb.cgi`Example`1`proxy.local`3128`me`secret`",
         {"cddb.example.net", "", "/cgi/cddb.cgi", "Example", "", "proxy.local", "3128", "me", "secret"}, 8880, 1},
        // A short record leaves the missing fields empty and the port at 80.
        {"host.only`", {"host.only", "", "", "", "", "", "", "", ""}, 80, 0},
        {"h`x80`p`d`2`", {"h", "", "p", "d", "", "", "", "", ""}, 80, 1},
        // An unterminated last field still counts.
        {"h`81`p`d`0`ph`pp`u`pw", {"h", "", "p", "d", "", "ph", "pp", "u", "pw"}, 81, 0},
        {"h`70000`", {"h", "", "", "", "", "", "", "", ""}, 80, 0},
        {"h`-1`", {"h", "", "", "", "", "", "", "", ""}, 80, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.record);
        SetString("FreedbOptions", c.record);
        Load();
        const CCddbSite& site = m_app.m_cddbSite;
        EXPECT_EQ(std::string(m_app.m_strFreedbOptions), c.record);
        EXPECT_EQ(std::string(site.m_strHost), c.fields[0]);
        EXPECT_EQ(site.m_nPort, c.port);
        EXPECT_EQ(std::string(site.m_strPath), c.fields[2]);
        EXPECT_EQ(std::string(site.m_strDescription), c.fields[3]);
        EXPECT_EQ(site.m_bProxy, c.proxy);
        EXPECT_EQ(std::string(site.m_strProxyHost), c.fields[5]);
        EXPECT_EQ(std::string(site.m_strProxyPort), c.fields[6]);
        EXPECT_EQ(std::string(site.m_strProxyUser), c.fields[7]);
        EXPECT_EQ(std::string(site.m_strProxyPassword), c.fields[8]);
        // A record that is there is not written back.
        EXPECT_EQ(GetString("FreedbOptions"), std::string(c.record));
    }
}

TEST_F(SettingsTest, AnEmptyServerRecordIsReplacedByTheDefault)
{
    SetString("FreedbOptions", "");
    Load();
    EXPECT_EQ(std::string(m_app.m_cddbSite.m_strHost), kDefaultCddbHost);
    EXPECT_EQ(GetString("FreedbOptions"), std::string(m_app.m_strFreedbOptions));
    EXPECT_FALSE(m_app.m_strFreedbOptions.IsEmpty());
}

TEST_F(SettingsTest, WithoutTheApplicationsSettingsNothingIsReadAndTheErrorIsReported)
{
    CQuorbel6View view;
    view.m_nGridSpacingX = 5;
    view.LoadSettings();
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_EQ(m_errors[0], 112);
    EXPECT_EQ(view.m_nGridSpacingX, 5);
}

// ---- writing ----------------------------------------------------------------

TEST_F(SettingsTest, AStringIsWrittenWhole)
{
    CreateKey();
    for (const std::string& value : {std::string(), std::string("Inches"), std::string(259, 'a'),
                                     std::string(260, 'b'), std::string(1000, 'c') + "end"})
    {
        EXPECT_TRUE(m_view.WriteSettingValue("String", "CDPlayerPath", value.c_str()));
        EXPECT_EQ(GetString("CDPlayerPath"), value) << value.size();
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SettingsTest, ANumberIsTheDecimalNumberAtTheStartOfTheText)
{
    CreateKey();
    const struct
    {
        const char* text;
        DWORD expected;
    } cases[] = {
        {"12abc", 12},
        {" -12abc", static_cast<DWORD>(-12)},
        {"abc", 0},
        {"", 0},
        {"+7", 7},
        {"  \t42", 42},
        {"0x1F", 0},
        {"- 5", 0},
        {"1", 1},
        {"2147483647", 2147483647u},
        {"99999999999", 2147483647u},
        {"-99999999999", 0x80000000u},
    };
    for (const auto& c : cases)
    {
        EXPECT_TRUE(m_view.WriteSettingValue("Number", "SnapToGrid", c.text));
        EXPECT_EQ(GetNumber("SnapToGrid"), c.expected) << '"' << c.text << '"';
    }
}

TEST_F(SettingsTest, AnUnknownKindWritesNothing)
{
    CreateKey();
    for (const char* kind : {"Binary", "string", "NUMBER", ""})
    {
        EXPECT_FALSE(m_view.WriteSettingValue(kind, "Units", "Inches")) << kind;
        EXPECT_FALSE(ValueExists("Units")) << kind;
    }
}

TEST_F(SettingsTest, AMissingKeyIsNotCreatedByAWrite)
{
    ASSERT_FALSE(KeyExists());
    EXPECT_FALSE(m_view.WriteSettingValue("String", "Units", "Inches"));
    EXPECT_FALSE(m_view.WriteSettingValue("Number", "SnapToGrid", "1"));
    EXPECT_FALSE(KeyExists());
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SettingsTest, SnapToGridAndShowGridToggleAndWriteTheirState)
{
    Load();
    m_view.OnSnapToGrid();
    EXPECT_EQ(m_view.m_bSnapToGrid, 1);
    EXPECT_EQ(GetNumber("SnapToGrid"), 1u);
    m_view.OnSnapToGrid();
    EXPECT_EQ(m_view.m_bSnapToGrid, 0);
    EXPECT_EQ(GetNumber("SnapToGrid"), 0u);

    m_view.OnShowGrid();
    EXPECT_EQ(m_view.m_bShowGrid, 1);
    EXPECT_EQ(GetNumber("ShowGrid"), 1u);

    // What was written is what the next start reads.
    CQuorbel6View next;
    CAppSettings app;
    next.AttachAppSettings(&app);
    next.LoadSettings();
    EXPECT_EQ(next.m_bSnapToGrid, 0);
    EXPECT_EQ(next.m_bShowGrid, 1);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(SettingsTest, TheToggleChangesTheViewEvenWhenTheKeyIsGone)
{
    m_view.OnSnapToGrid();
    EXPECT_EQ(m_view.m_bSnapToGrid, 1);
    EXPECT_FALSE(KeyExists());
}
}  // namespace

// A user who may not write the machine's settings: what the view writes
// sticks in the user's key (the first-run choice of label paper is not asked
// again) and what only the machine's key holds is still read.
TEST_F(SettingsTest, ANormalUsersSettingsStickInTheUsersKey)
{
    test_support::RefusedMachineSettings keys;
    keys.PutMachineString("Units", "Millimeters");
    keys.PutMachineNumber("ShowGrid", 1);
    keys.PutMachineNumber("Guides", 1);
    keys.PutUserNumber("Guides", 0);
    ASSERT_TRUE(keys.Lock());

    Load();
    EXPECT_EQ(std::string(m_view.m_strUnits), "Millimeters");
    EXPECT_EQ(m_view.m_bShowGrid, 1);
    EXPECT_EQ(m_view.m_bShowGuides, 0);
    EXPECT_EQ(m_view.m_bLabelPaperChosen, 0);  // a first run
    EXPECT_TRUE(keys.UserKeyExists());

    EXPECT_TRUE(m_view.WriteSettingValue("Number", "LabelUpdate", "0"));
    m_view.OnSnapToGrid();
    EXPECT_EQ(keys.UserNumber("LabelUpdate"), std::optional<DWORD>(0));
    EXPECT_EQ(keys.UserNumber("SnapToGrid"), std::optional<DWORD>(1));
    EXPECT_EQ(keys.MachineNumber("SnapToGrid"), std::nullopt);

    CQuorbel6View next;
    CAppSettings app;
    next.AttachAppSettings(&app);
    next.LoadSettings();
    EXPECT_EQ(next.m_bLabelPaperChosen, 1);
    EXPECT_EQ(next.m_bSnapToGrid, 1);
    EXPECT_EQ(std::string(next.m_strUnits), "Millimeters");
    EXPECT_TRUE(m_errors.empty());
}
