// The rows the colour and font dialogs change, and the values they write,
// worked out without a window.
#include "label/LabelModel.h"
#include "label/ObjectRows.h"
#include "shell/ColorDlgRows.h"

#include <gtest/gtest.h>

#include <string>

using namespace StyleRows;

namespace
{
void AddObject(CLabelModel& model, const char* name, const char* type, const char* color, const char* font = nullptr)
{
    ObjectRows rows(model, name, font ? 3 : 2);
    rows.Add("Item Type", "", type, "", 0);
    rows.Add("Color", "COLOR", color, "", 1);
    if (font)
        rows.Add("Font", "FONT", font, "", 1);
}

// A label with album texts on both discs, free texts, covers, a tab and a page.
void MixedLabel(CLabelModel& model)
{
    AddObject(model, "Front Cover", "Cover", "1,1,1");
    AddObject(model, "Disc 1", "Cover", "2,2,2");
    AddObject(model, "Left Tab", "Boundary", "3,3,3");
    AddObject(model, "Page 1", "Page", "4,4,4");
    AddObject(model, "Artist - Disc 1", "Text", "5,5,5", "Arial,12,400,0");
    AddObject(model, "Artist - Disc 2", "Text", "6,6,6", "Arial,14,700,0");
    AddObject(model, "Artist(1)", "Text", "7,7,7", "Arial,16,400,1");
    AddObject(model, "Title", "Text", "8,8,8", "Arial,12,400,0");
    AddObject(model, "Text", "Text", "9,9,9", "Arial,12,400,0");
    AddObject(model, "Text 2", "Text", "10,10,10", "Arial,12,400,0");
}

std::string Objects(const std::vector<RowRef>& rows)
{
    std::string names;
    for (const RowRef& row : rows)
        names += std::string(row.object.c_str()) + "=" + row.saved.c_str() + "|";
    return names;
}
}  // namespace

TEST(StyleRows, KindNames)
{
    const struct
    {
        const char* name;
        const char* type;
        bool coverRule;
        const char* kind;
    } cases[] = {{"Artist - Disc 1", "Text", true, "Artist"}, {"Artist(2)", "Text", true, "Artist"},
                 {"Track List - Disc 2", "Track", false, "Track List"}, {"Disc 2", "Cover", true, "Cover"},
                 {"Left Tab", "Boundary", true, "Cover"},    {"Left Tab", "Boundary", false, "Left Tab"},
                 {"Text 3", "Text", true, "Text 3"},         {"-odd", "Text", true, ""}};
    for (const auto& c : cases)
        EXPECT_STREQ(KindName(c.name, c.type, c.coverRule).c_str(), c.kind) << c.name;
    EXPECT_TRUE(OffersSetAll("Artist"));
    EXPECT_FALSE(OffersSetAll("Text 2"));
    EXPECT_STREQ(SetAllColorText("Cover").c_str(), "Set all Covers the same color.");
    EXPECT_STREQ(SetAllFontText("Artist").c_str(), "Set all Artists with the same font.");
}

TEST(StyleRows, ColorRowsOfTheSelectedKind)
{
    CLabelModel model;
    MixedLabel(model);
    EXPECT_EQ(Objects(ColorRows(model.Rows(), "Artist - Disc 1", "Text", "Color")),
              "Artist - Disc 1=5,5,5|Artist - Disc 2=6,6,6|Artist(1)=7,7,7|");
    // Covers, discs and tabs are one kind; pages are not.
    EXPECT_EQ(Objects(ColorRows(model.Rows(), "Disc 1", "Cover", "Color")),
              "Disc 1=2,2,2|Front Cover=1,1,1|Left Tab=3,3,3|");
    // A free text is on its own.
    EXPECT_EQ(Objects(ColorRows(model.Rows(), "Text", "Text", "Color")), "Text=9,9,9|");
    EXPECT_EQ(Objects(FontRows(model.Rows(), "Artist(1)", "Font")),
              "Artist(1)=Arial,16,400,1|Artist - Disc 1=Arial,12,400,0|Artist - Disc 2=Arial,14,700,0|");
}

TEST(StyleRows, ColorTexts)
{
    EXPECT_STREQ(ColorText(RGB(255, 0, 128)).c_str(), "255,0,128");
    EXPECT_EQ(ParseColor("10,20,30"), RGB(10, 20, 30));
    EXPECT_EQ(ParseColor("300,x"), RGB(300 & 0xFF, 0, 0));
    EXPECT_EQ(ParseColor(""), RGB(0, 0, 0));
}

TEST(StyleRows, FontValuesSizesAndAutoFit)
{
    EXPECT_STREQ(FontValue("Arial", "14", "Bold Italic").c_str(), "Arial,14,700,1");
    EXPECT_STREQ(FontValue("Arial", "9", "Italic").c_str(), "Arial,9,400,1");
    EXPECT_STREQ(FontValue("Tahoma", "12", "Bold").c_str(), "Tahoma,12,700,0");
    // A style the program does not know is regular.
    EXPECT_STREQ(FontValue("Tahoma", "12", "Oblique").c_str(), "Tahoma,12,400,0");
    EXPECT_STREQ(FontSizeField("Arial,14,700,1").c_str(), "14");
    EXPECT_STREQ(FontSizeField("Arial").c_str(), "");

    // Any size a scalable font can take, in whole points; what cannot be a size keeps the last.
    const struct {
        const char* typed;
        const char* taken;
    } sizes[] = {{"14", "14"}, {" 9 ", "9"}, {"13", "13"}, {"1", "1"}, {"1638", "1638"}, {"12.6", "13"},
                 {"abc", "12"}, {"14pt", "12"}, {"", "12"}, {"-9", "12"}, {"0", "12"}, {"0.2", "12"},
                 {"1639", "12"}, {"1e9", "12"}, {"nan", "12"}};
    for (const auto& size : sizes)
        EXPECT_STREQ(AcceptedSize(size.typed, "12").c_str(), size.taken) << size.typed;

    EXPECT_STREQ(FittedSizeText("125`1`2`").c_str(), "12.5");
    EXPECT_STREQ(FittedSizeText("").c_str(), "");
    EXPECT_STREQ(AutoFitText("12.5", "14").c_str(), "AutoFit On");
    EXPECT_STREQ(AutoFitText("14.0", "14").c_str(), "AutoFit Off");
    EXPECT_STREQ(AutoFitText("", "14").c_str(), "AutoFit Off");
}
