#include "label/LabelRows.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>
#include <utility>

namespace
{
// Rows for objects given as (name, rows-after count of the first row); every
// object gets that many further rows with falling counts, as a layout has them.
PropertyRows MakeObjects(std::initializer_list<std::pair<const char*, int>> objects)
{
    PropertyRows rows;
    for (const auto& [name, rowsAfter] : objects)
    {
        for (int k = rowsAfter; k >= 0; --k)
        {
            PropertyEntry row;
            row.m_strObjectName = name;
            row.m_strKey = k == rowsAfter ? "Item Type" : ("Key " + std::to_string(rowsAfter - k)).c_str();
            row.m_strValue = ("value of " + std::string(name) + " " + std::to_string(rowsAfter - k)).c_str();
            row.m_nRowsAfter = k;
            rows.push_back(row);
        }
    }
    return rows;
}

TextRows MakeTexts(std::initializer_list<const char*> names)
{
    TextRows texts;
    for (const char* name : names)
    {
        TextEntry text;
        text.m_strName = name;
        text.m_strItemType = "Text";
        texts.push_back(text);
    }
    return texts;
}

struct UniqueObjectNameCase
{
    std::initializer_list<std::pair<const char*, int>> objects;
    const char* name;
    const char* expected;
};

TEST(LabelRowsTest, UniqueObjectNameTakesTheSmallestFreeNumber)
{
    const UniqueObjectNameCase cases[] = {
        {{}, "Artist", "Artist(1)"},
        {{{"Artist(1)", 12}, {"Artist(2)", 12}}, "Artist", "Artist(3)"},
        {{{"Artist(2)", 12}}, "Artist", "Artist(1)"},
        // A gap is filled; order in the rows does not matter.
        {{{"Artist(3)", 0}, {"Artist(1)", 0}, {"Artist(4)", 0}}, "Artist", "Artist(2)"},
        // Names of other objects, and prefixes of the name, do not clash.
        {{{"Artist - Disc 1(1)", 3}, {"Title(1)", 3}, {"Art(1)", 0}}, "Artist", "Artist(1)"},
        // The name is always extended, even when nothing carries it.
        {{{"Text 1", 2}}, "Text 1", "Text 1(1)"},
        {{{"Text 1(1)", 2}, {"Text 1(2)", 2}}, "Text 1", "Text 1(3)"},
    };
    for (const auto& c : cases)
    {
        const PropertyRows rows = MakeObjects(c.objects);
        EXPECT_EQ(std::string(LabelRows::UniqueObjectName(rows, c.name)), c.expected) << c.name;
    }
}

TEST(LabelRowsTest, UniqueObjectNameComparesOnlyFirstRows)
{
    // A later row of an object carrying the candidate's name is not an object.
    PropertyRows rows = MakeObjects({{"Front Cover", 2}});
    rows[1].m_strObjectName = "Artist(1)";
    EXPECT_EQ(std::string(LabelRows::UniqueObjectName(rows, "Artist")), "Artist(1)");
}

TEST(LabelRowsTest, UniqueTextNameTakesTheSmallestFreeNumber)
{
    const struct
    {
        std::initializer_list<const char*> texts;
        const char* name;
        const char* expected;
    } cases[] = {
        {{}, "Text", "Text 1"},
        {{"Text 1", "Text 2"}, "Text", "Text 3"},
        {{"Text 2", "Text 1"}, "Text", "Text 3"},
        {{"Text 1", "Text 3"}, "Text", "Text 2"},
        {{"Text 2"}, "Text", "Text 1"},
        // Duplicates (a damaged document) still give a free name.
        {{"Text 1", "Text 1", "Text 2"}, "Text", "Text 3"},
        {{"Artist", "Text 10", "Text1"}, "Text", "Text 1"},
    };
    for (const auto& c : cases)
    {
        const TextRows texts = MakeTexts(c.texts);
        EXPECT_EQ(std::string(LabelRows::UniqueTextName(texts, c.name)), c.expected);
    }
}

TEST(LabelRowsTest, NextObjectRowStepsByTheRowsAfterCount)
{
    // Front Cover (9 rows), Back Cover (9 rows), Page 1 (7 rows).
    const PropertyRows rows = MakeObjects({{"Front Cover", 8}, {"Back Cover", 8}, {"Page 1", 6}});
    ASSERT_EQ(rows.size(), 25u);
    const struct
    {
        int from;
        int expected;
    } cases[] = {
        {0, 9},    // first row of the front cover
        {1, 9},    // its "Page" row: seven rows follow it
        {8, 9},    // its last row
        {9, 18},   // the back cover
        {18, 25},  // the last object ends at the row count
        {24, 25},
        {25, 25},  // past the end stays there
        {-1, 25},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LabelRows::NextObjectRow(rows, c.from), c.expected) << "from " << c.from;
}

TEST(LabelRowsTest, DamagedCountsNeverStepOutsideTheRows)
{
    const struct
    {
        int damagedCount;
        int expected;
    } cases[] = {
        {100, 6},      // past the end: the walk ends
        {INT_MAX, 6},  // would overflow an int
        {-1, 6},       // would not move
        {-5, 6},       // would step backwards for ever
        {INT_MIN, 6},
    };
    for (const auto& c : cases)
    {
        PropertyRows rows = MakeObjects({{"Disc 1", 2}, {"Disc 2", 2}});
        rows[3].m_nRowsAfter = c.damagedCount;
        EXPECT_EQ(LabelRows::NextObjectRow(rows, 3), c.expected) << c.damagedCount;
        // Every walk over the objects ends, and only on rows inside the list.
        int steps = 0;
        for (int i = 0; i < static_cast<int>(rows.size()); i = LabelRows::NextObjectRow(rows, i))
        {
            ASSERT_GE(i, 0);
            ASSERT_LT(++steps, 10);
        }
        EXPECT_EQ(LabelRows::FindObjectRow(rows, "Nothing"), -1);
        EXPECT_EQ(LabelRows::FindPropertyRow(rows, "Disc 2", "Key 9"), -1);
        EXPECT_EQ(std::string(LabelRows::UniqueObjectName(rows, "Disc 2")), "Disc 2(1)");
    }
}

TEST(LabelRowsTest, FindsObjectsAndTheirProperties)
{
    const PropertyRows rows = MakeObjects({{"Front Cover", 3}, {"Artist(1)", 4}, {"Artist(2)", 4}});
    EXPECT_EQ(LabelRows::FindObjectRow(rows, "Front Cover"), 0);
    EXPECT_EQ(LabelRows::FindObjectRow(rows, "Artist(2)"), 9);
    EXPECT_EQ(LabelRows::FindObjectRow(rows, "Artist"), -1);

    EXPECT_EQ(LabelRows::FindPropertyRow(rows, "Artist(2)", "Item Type"), 9);
    EXPECT_EQ(LabelRows::FindPropertyRow(rows, "Artist(2)", "Key 3"), 12);
    // A key of another object, or beyond the object's own rows, is not found.
    EXPECT_EQ(LabelRows::FindPropertyRow(rows, "Front Cover", "Key 4"), -1);
    EXPECT_EQ(LabelRows::FindPropertyRow(rows, "Nothing", "Item Type"), -1);

    CString value = "unchanged";
    EXPECT_TRUE(LabelRows::ReadPropertyValue(rows, "Artist(1)", "Key 2", value));
    EXPECT_EQ(std::string(value), "value of Artist(1) 2");
    EXPECT_FALSE(LabelRows::ReadPropertyValue(rows, "Artist(1)", "Color", value));
    EXPECT_EQ(std::string(value), "value of Artist(1) 2");
}

TEST(LabelRowsTest, ReplacePropertyValueChangesOnlyThatRow)
{
    PropertyRows rows = MakeObjects({{"Artist(1)", 2}, {"Artist(2)", 2}});
    EXPECT_TRUE(LabelRows::ReplacePropertyValue(rows, "Artist(2)", "Key 1", "new"));
    EXPECT_EQ(std::string(rows[4].m_strValue), "new");
    EXPECT_EQ(std::string(rows[1].m_strValue), "value of Artist(1) 1");
    EXPECT_FALSE(LabelRows::ReplacePropertyValue(rows, "Artist(3)", "Key 1", "new"));
}

TEST(LabelRowsTest, EraseObjectRowsRemovesExactlyTheRun)
{
    PropertyRows rows = MakeObjects({{"Front Cover", 2}, {"Text 1(1)", 12}, {"Back Cover", 2}});
    EXPECT_EQ(LabelRows::EraseObjectRows(rows, "Text 1(1)"), 13);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(std::string(rows[3].m_strObjectName), "Back Cover");
    EXPECT_EQ(LabelRows::EraseObjectRows(rows, "Text 1(1)"), 0);
    EXPECT_EQ(LabelRows::EraseObjectRows(rows, "Back Cover"), 3);
    EXPECT_EQ(rows.size(), 3u);
}

TEST(LabelRowsTest, EraseWithADamagedCountKeepsTheNextObject)
{
    PropertyRows rows = MakeObjects({{"Image(1)", 2}, {"Image(2)", 2}});
    rows[0].m_nRowsAfter = 4;  // claims two rows of Image(2)
    EXPECT_EQ(LabelRows::EraseObjectRows(rows, "Image(1)"), 3);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(std::string(rows[0].m_strObjectName), "Image(2)");

    rows[0].m_nRowsAfter = 50;  // past the end
    EXPECT_EQ(LabelRows::EraseObjectRows(rows, "Image(2)"), 3);
    EXPECT_TRUE(rows.empty());
}

TEST(LabelRowsTest, ObjectsReachTheirTextByTheNameBeforeTheFirstBracket)
{
    const struct
    {
        const char* object;
        const char* text;
    } cases[] = {
        {"Artist(12)", "Artist"},
        {"Track List - Disc 2(1)", "Track List - Disc 2"},
        {"Text 2(1)", "Text 2"},
        {"Front Cover", "Front Cover"},
        {"(1)", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(LabelRows::TextNameOfObject(c.object)), c.text);

    const TextRows texts = MakeTexts({"Artist", "Track List - Disc 2", "Text 2"});
    EXPECT_EQ(LabelRows::FindTextRow(texts, LabelRows::TextNameOfObject("Track List - Disc 2(1)")), 1);
    EXPECT_EQ(LabelRows::FindTextRow(texts, "Track List"), -1);
}

TEST(LabelRowsTest, LengthsReadBackAsWrittenToTheThousandth)
{
    const struct
    {
        const char* text;
        int expected;
    } cases[] = {
        {"0.700", 700},      // a single-precision reading truncated it to 699
        {"0.700 ''", 700},
        {"1.250 ''", 1250},
        {"1.250", 1250},
        {"0.050 ''", 50},
        {"0.001 ''", 1},
        {"2.345 ''", 2345},
        {"8.500", 8500},
        {"11.999 ''", 11999},
        {"-0.700", -700},
        {"-1.003 ''", -1003},
        {"1.5", 1500},       // typed without the mark and with fewer decimals
        {"0.0004", 0},       // below half a thousandth
        {"0.0006", 1},
        {"", 0},
        {"''", 0},
        {"abc", 0},
        {"1e30", INT_MAX},
        {"-1e30", INT_MIN},
        {"nan", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LabelRows::ReadLength(c.text), c.expected) << c.text;
}

TEST(LabelRowsTest, EveryStoredLengthUpToTwelveInchesReadsBackAsWritten)
{
    // Both forms a row may hold, every thousandth from 0 to 12 inches and the
    // same below 0 (objects may stand partly off a sheet).
    int wrong = 0;
    for (int length = -12000; length <= 12000; ++length) {
        for (const CString& text : {LabelRows::ObjectLengthText(length), LabelRows::SurfaceLengthText(length)}) {
            if (LabelRows::ReadLength(text) != length && ++wrong <= 5)
                ADD_FAILURE() << "\"" << text.c_str() << "\" read as " << LabelRows::ReadLength(text);
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(LabelRowsTest, LengthTextsHaveThreeDecimals)
{
    EXPECT_EQ(std::string(LabelRows::SurfaceLengthText(8500)), "8.500");
    EXPECT_EQ(std::string(LabelRows::SurfaceLengthText(688)), "0.688");
    EXPECT_EQ(std::string(LabelRows::ObjectLengthText(50)), "0.050 ''");
    EXPECT_EQ(std::string(LabelRows::ObjectLengthText(-1250)), "-1.250 ''");
    // What is written reads back as the same length.
    for (int length : {0, 1, 50, 699, 1250, 4625, 11000})
        EXPECT_EQ(LabelRows::ReadLength(LabelRows::ObjectLengthText(length)), length) << length;
}
}  // namespace
