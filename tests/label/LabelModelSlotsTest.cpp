// The model's image slots as objects name them, and text rows taken out and
// put back at their place.
#include "label/LabelModel.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
void AddImageObject(CLabelModel& model, const char* name, const char* number)
{
    model.AppendRow(PropertyEntry{name, "Item Type", "Image", 0, "", "1", 1});
    model.AppendRow(PropertyEntry{name, "Image Number", number, 0, "", "", 0});
}
}  // namespace

TEST(LabelModelImages, RemovingASlotRenumbersTheObjectsAboveIt)
{
    CLabelModel model;
    std::vector<const CxImage*> pictures;
    for (int i = 0; i < 5; ++i) {
        model.AppendImage(std::make_unique<CxImage>(i + 1, 1, 24));
        pictures.push_back(model.Image(i));
    }
    AddImageObject(model, "A", "0");
    AddImageObject(model, "B", "3");
    AddImageObject(model, "C", "4");
    model.AppendRow(PropertyEntry{"Title", "Left", "2", 0, "", "", 0});  // not an image number

    EXPECT_TRUE(model.RefersToImage(3));
    EXPECT_FALSE(model.RefersToImage(2));
    EXPECT_FALSE(model.RemoveImageSlot(5));
    EXPECT_FALSE(model.RemoveImageSlot(-1));
    ASSERT_TRUE(model.RemoveImageSlot(2));

    EXPECT_EQ(model.ImageCount(), 4);
    EXPECT_EQ(model.GetPropertyValue("A", "Image Number"), CString("0"));
    EXPECT_EQ(model.GetPropertyValue("B", "Image Number"), CString("2"));
    EXPECT_EQ(model.GetPropertyValue("C", "Image Number"), CString("3"));
    EXPECT_EQ(model.GetPropertyValue("Title", "Left"), CString("2"));
    // Each object still shows its own picture.
    EXPECT_EQ(model.Image(2), pictures[3]);
    EXPECT_EQ(model.Image(3), pictures[4]);
}

TEST(LabelModelTexts, ARemovedRowGoesBackToItsPlace)
{
    CLabelModel model;
    for (const char* name : {"Artist", "Title", "Notes"})
        model.AppendTextRow(TextEntry{name, "Text", CString(name) + " text", 1});
    const TextEntry title = model.Texts()[1];
    EXPECT_FALSE(model.EraseTextRow(3));
    ASSERT_TRUE(model.EraseTextRow(1));
    ASSERT_EQ(model.Texts().size(), 2u);
    EXPECT_EQ(model.Texts()[1].m_strName, CString("Notes"));

    model.InsertTextRow(1, title);
    ASSERT_EQ(model.Texts().size(), 3u);
    EXPECT_EQ(model.Texts()[1].m_strName, CString("Title"));
    EXPECT_EQ(model.Texts()[1].m_strValue, CString("Title text"));
    // A place past the end (the rows changed meanwhile) appends; the text is cleaned as always.
    model.InsertTextRow(9, TextEntry{"Quote", "Text", "a`b", 1});
    EXPECT_EQ(model.Texts().back().m_strName, CString("Quote"));
    EXPECT_EQ(model.Texts().back().m_strValue, CString("a'b"));
}
