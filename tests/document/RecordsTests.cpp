// The three records of the document file: their byte form, the file version
// carried by the text records' class, the stacking counter of older files, the
// conversion of older rows, and the names and numbers the document derives.
#include "DocumentTestSupport.h"

#include "document/DocumentNames.h"
#include "document/ImageNumbers.h"
#include "document/OlderFileConversion.h"
#include "framework/Collections.h"

TEST(DocumentRecords, PropertyRecordsHaveTheirStoredFieldOrder)
{
    CObjectArray<CProperty> records;
    records.Emplace("Artist(1)", "Font", "Tahoma,72,400,0", 1, "FONT", "", 12);
    records.Emplace("Artist(1)", "Alignment", "Center", 7, "COMBO", "Center|Left|", 3);
    const Bytes stored = StoreToBytes([&](CArchive& ar) { records.Serialize(ar); });

    Bytes expected;
    AppendWord(expected, 2);
    AppendClassRecord(expected, 6, "CProperty");
    AppendPropertyFields(expected, "Artist(1)", "Font", "Tahoma,72,400,0", 1, "FONT", "", 12);
    AppendWord(expected, 0x8001);
    AppendPropertyFields(expected, "Artist(1)", "Alignment", "Center", 7, "COMBO", "Center|Left|", 3);
    EXPECT_EQ(stored, expected);

    CObjectArray<CProperty> loaded;
    LoadFromBytes(stored, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(loaded.GetSize(), 2);
    const CProperty& second = *loaded[1];
    EXPECT_EQ(second.m_strObjectName, "Artist(1)");
    EXPECT_EQ(second.m_strKey, "Alignment");
    EXPECT_EQ(second.m_strValue, "Center");
    EXPECT_EQ(second.m_nShown, 7);
    EXPECT_EQ(second.m_strEditorKind, "COMBO");
    EXPECT_EQ(second.m_strChoices, "Center|Left|");
    EXPECT_EQ(second.m_nRowsAfter, 3);
}

TEST(DocumentRecords, TextRecordsCarryTheFileVersion)
{
    CObjectArray<CText> texts;
    texts.Emplace(2, "Artist", "Text", "Someone");
    const Bytes stored = StoreToBytes([&](CArchive& ar) { texts.Serialize(ar); });
    Bytes expected;
    AppendWord(expected, 1);
    AppendClassRecord(expected, 6, "CText");
    AppendTextFields(expected, 2, "Artist", "Text", "Someone");
    EXPECT_EQ(stored, expected);

    for (const unsigned schema : {1u, 4u, 6u, 9u}) {
        Bytes old;
        AppendWord(old, 1);
        AppendClassRecord(old, schema, "CText");
        AppendTextFields(old, 1, "Text 1", "Text", "x");
        CObjectArray<CText> loaded;
        LoadFromBytes(old, [&](CArchive& ar) { loaded.Serialize(ar); });
        ASSERT_EQ(loaded.GetSize(), 1);
        EXPECT_EQ(loaded[0]->m_nFileVersion, static_cast<int>(schema));
        EXPECT_EQ(loaded[0]->m_strValue, "x");
    }
}

TEST(DocumentRecords, LayoutValuesHaveNoClassRecordAndOlderOnesNoStackingCounter)
{
    CVariables values;
    values.m_strPage = "2";
    values.m_nZoom = 14;
    values.m_strSurface = "Front Cover";
    values.m_ptCentre = POINT{300, -40};
    values.m_nImageCount = 3;
    values.m_strLayout = "Double";
    values.m_nStackingCounter = 9;
    const Bytes stored = StoreToBytes([&](CArchive& ar) { values.Serialize(ar); });
    Bytes expected;
    AppendVariables(expected, "2", 14, "Front Cover", 300, -40, 3, "Double", true, 9);
    EXPECT_EQ(stored, expected);

    // A version-4 record ends after the layout: the next byte is an image block's.
    Bytes version4;
    AppendVariables(version4, "1", 10, "Disc 1", 0, 0, 1, "Single", false, 0);
    AppendText(version4, "0\n");
    CVariables old;
    old.m_nFileVersion = 4;
    old.m_nStackingCounter = 77;
    LoadFromBytes(version4, [&](CArchive& ar) {
        old.Serialize(ar);
        char next = 0;
        ar >> next;
        EXPECT_EQ(next, '0');
    });
    EXPECT_EQ(old.m_nStackingCounter, 77);
    EXPECT_EQ(old.m_strLayout, "Single");
    EXPECT_EQ(old.m_nImageCount, 1);
}

TEST(DocumentNames, SaveAsNamesGetTheLowerCaseExtension)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\labels\\mine.slv", "C:\\labels\\mine.slv"},  {"C:\\labels\\MINE.SLV", "C:\\labels\\MINE.slv"},
        {"C:\\labels\\mine.Slv", "C:\\labels\\mine.slv"},  {"C:\\labels\\mine", "C:\\labels\\mine.slv"},
        {"C:\\labels\\mine.txt", "C:\\labels\\mine.txt.slv"}, {"slv", "slv.slv"},
        {".slv", ".slv"},
    };
    for (const auto& [chosen, written] : cases)
        EXPECT_EQ(NormaliseDocumentPath(chosen), written) << chosen;
    EXPECT_TRUE(IsDefaultTemplateName("Default1.slv"));
    EXPECT_TRUE(IsDefaultTemplateName("Default2.slv"));
    EXPECT_FALSE(IsDefaultTemplateName("Default3.slv"));
}

TEST(DocumentImageNumbers, OnlyNumbersInUseAreKeptInOrder)
{
    auto image = [](const char* name, const char* number) {
        return std::vector<PropertyEntry>{{name, "Item Type", "Image", 0, "", "1", 3},
                                          {name, "Page", "1", 0, "", "", 2},
                                          {name, "View", "Disc 1", 0, "", "Inside", 1},
                                          {name, "Image Number", number, 0, "", "", 0}};
    };
    PropertyRows rows;
    for (const auto& [name, number] : std::vector<std::pair<const char*, const char*>>{
             {"Image(1)", "5"}, {"Image(2)", "0"}, {"Image(3)", "2"}, {"Image(4)", "2"}, {"Image(5)", "9"},
             {"Image(6)", "-1"}, {"Image(7)", "x"}}) {
        const auto object = image(name, number);
        rows.insert(rows.end(), object.begin(), object.end());
    }
    // A text object whose fourth row happens to read like a number is no image.
    rows.push_back({"Text 1(1)", "Item Type", "Text", 0, "", "", 3});
    rows.push_back({"Text 1(1)", "Page", "1", 0, "", "", 2});
    rows.push_back({"Text 1(1)", "Color", "0,0,0", 0, "", "", 1});
    rows.push_back({"Text 1(1)", "View", "3", 0, "", "", 0});
    // A damaged image object too short to have the row.
    rows.push_back({"Image(8)", "Item Type", "Image", 0, "", "1", 0});
    // An image object whose rows-after counts hide its rows from the walk
    // over objects still keeps its picture.
    for (const char* key : {"Item Type", "Page", "View"})
        rows.push_back({"Image(9)", key, key == std::string("Item Type") ? "Image" : "1", 0, "", "", 0});
    rows.push_back({"Image(9)", "Image Number", "3", 0, "", "", -7});

    EXPECT_EQ(UsedImageNumbers(rows, 6), (std::vector<int>{0, 2, 3, 5}));
    EXPECT_EQ(UsedImageNumbers(rows, 0), std::vector<int>{});

    int number = -1;
    EXPECT_TRUE(ParseImageNumber("12", number));
    EXPECT_EQ(number, 12);
    for (const char* bad : {"", "-1", "1a", " 1", "1234567890"})
        EXPECT_FALSE(ParseImageNumber(bad, number)) << bad;
}

namespace {

PropertyEntry Row(const char* name, const char* key, const char* value, BYTE shown = 1, const char* choices = "",
                  int rowsAfter = 0)
{
    return PropertyEntry{name, key, value, shown, "COMBO", choices, rowsAfter};
}

}  // namespace

TEST(OlderFileConversion, EachStepAppliesBelowItsVersion)
{
    struct Case {
        int version;
        PropertyEntry before;
        const char* value;
        BYTE shown;
        const char* choices;
    };
    const Case cases[] = {
        {2, Row("Artist(1)", "MultiLine", "Yes", 0), "Yes", 1, ""},
        {3, Row("Artist(1)", "MultiLine", "Yes", 0), "Yes", 0, ""},
        {3, Row("Track List(1)", "Wrap Tracks", "Yes", 0), "No", 1, ""},
        {3, Row("Track List(1)", "Wrap Tracks", "Yes", 1), "Yes", 1, ""},
        {4, Row("Track List(1)", "Wrap Tracks", "Yes", 0), "Yes", 0, ""},
        {4, Row("Artist(1)", "Width", "1.000 ''", 1), "1.000 ''", 0, ""},
        {4, Row("Genre(1)", "Top", "1.000 ''", 1), "1.000 ''", 0, ""},
        {4, Row("Text 1(1)", "Top", "1.000 ''", 1), "1.000 ''", 0, ""},
        {4, Row("Duration(1)", "Width", "1.000 ''", 1), "1.000 ''", 1, ""},
        {5, Row("Artist(1)", "Width", "1.000 ''", 1), "1.000 ''", 1, ""},
        {5, Row("Disc 1", "Outer Diameter", "4.625", 1), "4.625", 0, ""},
        {5, Row("Page 2", "Orientation", "Landscape", 1), "Landscape", 0, ""},
        {5, Row("Front Cover", "Folded Cover", "Yes", 1), "Yes", 0, ""},
        {5, Row("Front Cover", "Print Border", "Yes", 1), "Yes", 1, ""},
        {6, Row("Disc 1", "Outer Diameter", "4.625", 1), "4.625", 1, ""},
    };
    for (const Case& c : cases) {
        int counter = 0;
        const ConvertedRows result = ConvertOlderFileRows({c.before}, c.version, counter);
        ASSERT_EQ(result.rows.size(), 1u);
        SCOPED_TRACE(testing::Message() << "version " << c.version << " " << c.before.m_strKey.c_str());
        EXPECT_EQ(result.rows[0].m_strValue, c.value);
        EXPECT_EQ(result.rows[0].m_bShown, c.shown);
        EXPECT_EQ(result.rows[0].m_strChoices, c.choices);
        EXPECT_EQ(result.converted, c.version < 6);
    }
}

TEST(OlderFileConversion, AnglesOffTheDiscsGetTheirChoicesFromTheViewNineRowsEarlier)
{
    std::vector<PropertyEntry> rows;
    auto object = [&](const char* name, const char* view, const char* angle) {
        rows.push_back(Row(name, "Item Type", "Text", 0));
        rows.push_back(Row(name, "Page", "1", 0));
        rows.push_back(Row(name, "Color", "0,0,0", 1));
        rows.push_back(Row(name, "View", view, 0));
        for (const char* key : {"Font", "Left", "Top", "Width", "Height", "Alignment", "Vector Data", "MultiLine"})
            rows.push_back(Row(name, key, "", 0));
        rows.push_back(Row(name, "Angle", angle, 0));
    };
    object("Artist(1)", "Front Cover", "180 degrees");
    object("Artist(2)", "Disc 1", "180 degrees");
    // An angle too near the start of the file to have its view row is left as it is.
    std::vector<PropertyEntry> early = {Row("Artist(3)", "Angle", "180 degrees", 0)};

    int counter = 0;
    const ConvertedRows converted = ConvertOlderFileRows(rows, 2, counter);
    const PropertyEntry& flat = converted.rows[12];
    EXPECT_EQ(flat.m_strValue, "270 degrees");
    EXPECT_EQ(flat.m_strChoices, "0 degrees|90 degrees|180 degrees|270 degrees|");
    EXPECT_EQ(flat.m_bShown, 1);
    const PropertyEntry& disc = converted.rows[25];
    EXPECT_EQ(disc.m_strValue, "180 degrees");
    EXPECT_EQ(disc.m_bShown, 0);

    const ConvertedRows first = ConvertOlderFileRows(early, 2, counter);
    EXPECT_EQ(first.rows[0].m_strValue, "180 degrees");
}

TEST(OlderFileConversion, OldImagesGainTheirLastRowsAndStackingNumbers)
{
    auto oldImage = [](const char* name, const char* role, const char* aspect) {
        std::vector<PropertyEntry> rows = {Row(name, "Item Type", "Image", 0, role, 8), Row(name, "Page", "1", 0, "", 7),
                                           Row(name, "View", "Disc 1", 0, "Inside", 6),
                                           Row(name, "Image Number", "0", 0, "", 5)};
        int left = 4;
        for (const char* key : {"Left", "Top", "Width", "Height"})
            rows.push_back(Row(name, key, "1.000 ''", 1, "", left--));
        rows.push_back(Row(name, "Aspect Ratio", aspect, 1, "Locked|Unlocked|", 0));
        return rows;
    };
    std::vector<PropertyEntry> rows = oldImage("Image(1)", "", "Locked");
    const std::vector<PropertyEntry> background = oldImage("Image(2)", "Background", "Unlocked");
    rows.insert(rows.end(), background.begin(), background.end());

    int counter = 4;
    const ConvertedRows result = ConvertOlderFileRows(rows, 4, counter);
    ASSERT_EQ(result.rows.size(), 22u);
    EXPECT_EQ(counter, 5);
    EXPECT_EQ(result.rows[0].m_strChoices, "5") << "an ordinary image gets the next stacking number";
    EXPECT_EQ(result.rows[11].m_strChoices, "Background");

    const char* const keys[] = {"Item Type", "Page", "View", "Image Number", "Left", "Top", "Width", "Height",
                                "Lock Aspect Ratio", "Set as Background", "Bring to Front"};
    for (int object = 0; object < 2; ++object) {
        for (int i = 0; i < 11; ++i) {
            const PropertyEntry& row = result.rows[static_cast<size_t>(object * 11 + i)];
            EXPECT_EQ(row.m_strKey, keys[i]);
            EXPECT_EQ(row.m_nRowsAfter, 10 - i) << "the walk over objects stays on first rows";
        }
    }
    EXPECT_EQ(result.rows[8].m_strValue, "Yes");
    EXPECT_EQ(result.rows[8].m_strChoices, "Yes|No|");
    EXPECT_EQ(result.rows[9].m_strValue, "No");
    EXPECT_EQ(result.rows[10].m_strValue, "No");
    EXPECT_EQ(result.rows[19].m_strValue, "No");
    EXPECT_EQ(result.rows[20].m_strValue, "Disabled On") << "the background keeps its role";
    EXPECT_EQ(result.rows[4].m_bShown, 0) << "an image's position is no longer listed";
}
