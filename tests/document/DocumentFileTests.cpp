// Whole labels through real document files: round trips, a document written
// by hand from the byte form, older and newer versions, image blocks of every
// kind, and damaged files of every sort.
#include "DocumentTestSupport.h"

#include "framework/Conversions.h"
#include "document/DocumentMessages.h"
#include "document/RecordLimits.h"
#include "imaging/ImageCodecs.h"
#include "imaging/ImageFile.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr char kTrackList[] =
    "7`Track 1`0:01`Track 2`0:02`Track 3`0:03`Track 4`0:04`Track 5`0:05`Track 6`0:06`Track 7`0:07`";

// An image slot holding only kept file bytes, as a block that can't be decoded leaves it.
std::unique_ptr<CxImage> KeptBlock(int format, const std::string& bytes)
{
    auto image = std::make_unique<CxImage>(format);
    image->SetFormat(format);
    EXPECT_TRUE(image->CopyUserBuffer(bytes.data(), bytes.size()));
    return image;
}

std::string KeptBytes(const CxImage& image)
{
    return std::string(reinterpret_cast<const char*>(image.GetUserBuffer()), image.GetUserValue());
}

// The 11 rows of an Image object showing slot `number`.
void AddImageObject(CQuorbel6View& view, const CString& name, int number, const char* stacking)
{
    const std::pair<const char*, CString> rows[] = {
        {"Item Type", "Image"}, {"Page", "1"},          {"View", "Disc 1"},      {"Image Number", IntToStr(number)},
        {"Left", "1.000 ''"},   {"Top", "1.000 ''"},    {"Width", "1.250 ''"},   {"Height", "1.250 ''"},
        {"Lock Aspect Ratio", "Yes"}, {"Set as Background", "No"}, {"Bring to Front", "Disabled On"}};
    int left = 10;
    for (const auto& [key, value] : rows) {
        const bool typeRow = CString(key) == "Item Type";
        view.AddObjectRecord(PropertyEntry{name, key, value, 0, "", typeRow ? stacking : "", left--});
    }
}

void AddFreeText(CQuorbel6View& view, const CString& name, const CString& text)
{
    view.Model().AppendTextRow(TextEntry{name, "Text", text, 1});
    view.AddObjectRecord(PropertyEntry{name + "(1)", "Item Type", "Text", 0, "", "", 1});
    view.AddObjectRecord(PropertyEntry{name + "(1)", "Vector Data", "100`a`0`1`2`3`", 0, "", "", 0});
}

// A small document written by hand from the byte form: one image object of 4
// rows, one free text, the layout values and one image block of a format the
// program has no codec for.
Bytes GoldenDocument()
{
    Bytes bytes;
    AppendWord(bytes, 4);
    AppendClassRecord(bytes, 6, "CProperty");
    AppendPropertyFields(bytes, "Image(1)", "Item Type", "Image", 0, "", "1", 3);
    AppendWord(bytes, 0x8001);
    AppendPropertyFields(bytes, "Image(1)", "Page", "1", 0, "", "", 2);
    AppendWord(bytes, 0x8001);
    AppendPropertyFields(bytes, "Image(1)", "View", "Disc 1", 0, "", "Inside", 1);
    AppendWord(bytes, 0x8001);
    AppendPropertyFields(bytes, "Image(1)", "Image Number", "0", 1, "EDIT", "", 0);
    AppendWord(bytes, 2);
    AppendClassRecord(bytes, 6, "CText");
    AppendTextFields(bytes, 1, "Text 1", "Text", "Hello\r\nthere");
    // Classes and objects are counted together: CProperty 1, its objects 2 to
    // 5, CText 6.
    AppendWord(bytes, 0x8006);
    AppendTextFields(bytes, 2, "Track List", "Track", "1`Intro`0:42`");
    AppendVariables(bytes, "1", 14, "Disc 1", 0, 0, 1, "Single", true, 1);
    AppendImageBlock(bytes, 9, Bytes{'a', 'b', 'c', '\n', 0, 0xFF});
    return bytes;
}

// A document written by hand from a model: its rows, one text row and the
// layout values of a file of `schema`, announcing `imageCount` image blocks
// (the caller appends them).
Bytes HandMadeDocument(const std::vector<PropertyEntry>& rows, unsigned schema, int imageCount = 0, int stacking = 3)
{
    Bytes bytes;
    AppendWord(bytes, static_cast<unsigned>(rows.size()));
    bool first = true;
    for (const PropertyEntry& row : rows) {
        if (first)
            AppendClassRecord(bytes, schema, "CProperty");
        else
            AppendWord(bytes, 0x8001);
        first = false;
        AppendPropertyFields(bytes, row.m_strObjectName.str(), row.m_strKey.str(), row.m_strValue.str(), row.m_bShown,
                             row.m_strEditorKind.str(), row.m_strChoices.str(), row.m_nRowsAfter);
    }
    AppendWord(bytes, 1);
    AppendClassRecord(bytes, schema, "CText");
    AppendTextFields(bytes, 2, "Artist", "Text", "Old Band");
    AppendVariables(bytes, "2", 12, "Front Cover", 5, 5, imageCount, "Single", schema >= 5, stacking);
    return bytes;
}

// The texts of a one-row document, each of which a case may make long.
struct DocumentTexts
{
    std::string name = "Image(1)";
    std::string key = "Item Type";
    std::string value = "Image";
    std::string kind;
    std::string choices = "1";
    std::string textName = "Text 1";
    std::string textType = "Text";
    std::string text = "Hello";
    std::string page = "1";
    std::string surface = "Disc 1";
    std::string layout = "Single";
};

Bytes DocumentWith(const DocumentTexts& texts)
{
    Bytes bytes;
    AppendWord(bytes, 1);
    AppendClassRecord(bytes, 6, "CProperty");
    AppendPropertyFields(bytes, texts.name, texts.key, texts.value, 1, texts.kind, texts.choices, 0);
    AppendWord(bytes, 1);
    AppendClassRecord(bytes, 6, "CText");
    AppendTextFields(bytes, 1, texts.textName, texts.textType, texts.text);
    AppendVariables(bytes, texts.page, 14, texts.surface, 0, 0, 0, texts.layout, true, 1);
    return bytes;
}

bool IsPageText(const CString& page)
{
    return page == "1" || page == "2" || page == "3";
}

class DocumentFileTest : public LabelDocumentTest
{
protected:
    // The rows of a fresh single layout, taken from the view.
    std::vector<PropertyEntry> FreshRows()
    {
        NewLayout("Single");
        return m_view.Model().Rows();
    }

    // The view shows a usable empty layout after a refused or damaged file.
    void ExpectEmptyLayout(const char* context)
    {
        SCOPED_TRACE(context);
        EXPECT_EQ(m_view.Model().Rows().size(), 83u);
        EXPECT_EQ(m_view.Model().Rows()[0].m_strObjectName, "Front Cover");
        EXPECT_TRUE(m_view.Model().Images().empty());
        EXPECT_TRUE(m_view.Model().IsUndoRecording());
        EXPECT_TRUE(m_view.m_bDrawingEnabled);
        EXPECT_FALSE(m_doc.IsModified());
        EXPECT_TRUE(m_doc.GetPathName().IsEmpty()) << "a Save must not go over the file";
        EXPECT_EQ(m_doc.GetTitle(), "Untitled.slv");
    }

    // What a refused file must leave alone: the open label and its document.
    struct OpenLabel {
        std::vector<PropertyEntry> rows;
        TextRows texts;
        BOOL modified;
        std::string path;
        std::string title;
    };
    OpenLabel Kept() const
    {
        return OpenLabel{m_view.Model().Rows(), m_view.Model().Texts(), m_doc.IsModified(),
                         m_doc.GetPathName().c_str(), m_doc.GetTitle().c_str()};
    }
    // The label open before a file that could not be read is as it was.
    void ExpectLabelKept(const OpenLabel& before, const std::string& context)
    {
        SCOPED_TRACE(context);
        const OpenLabel now = Kept();
        EXPECT_EQ(now.rows.size(), before.rows.size());
        for (size_t i = 0; i < std::min(now.rows.size(), before.rows.size()); ++i) {
            EXPECT_EQ(now.rows[i].m_strKey, before.rows[i].m_strKey) << i;
            EXPECT_EQ(now.rows[i].m_strValue, before.rows[i].m_strValue) << i;
        }
        ASSERT_EQ(now.texts.size(), before.texts.size());
        for (size_t i = 0; i < now.texts.size(); ++i)
            EXPECT_EQ(now.texts[i].m_strValue, before.texts[i].m_strValue) << i;
        EXPECT_EQ(now.modified, before.modified) << "the changes are still unsaved";
        EXPECT_EQ(now.path, before.path);
        EXPECT_EQ(now.title, before.title);
        EXPECT_TRUE(m_view.Model().IsUndoRecording());
        EXPECT_TRUE(m_view.m_bDrawingEnabled);
    }
};

}  // namespace

TEST_F(DocumentFileTest, SingleLabelWithFreeTextsTrackListsAndImagesComesBackWhole)
{
    NewLayout("Single");
    m_view.SetTextRowValue(0, "Some Artist");
    m_view.SetTextRowValue(2, "2`One`3:10`Two`12:05`");
    AddFreeText(m_view, "Text 1", "line one\r\nline two");
    m_view.Model().AppendImage(KeptBlock(kImageFormatJpeg, std::string("\xFF\xD8\xFF\xE0 not really a jpeg", 24)));
    m_view.Model().AppendImage(KeptBlock(9, "opaque bytes of a format without a codec"));
    AddImageObject(m_view, "Image(1)", 0, "1");
    AddImageObject(m_view, "Image(2)", 1, "2");
    m_view.Model().SetStackingCounter(2);
    m_view.Model().Shown().zoom = 16;
    m_view.Model().Shown().surface = "Back Cover";
    m_view.Model().Shown().page = "3";
    const std::vector<PropertyEntry> rows = m_view.Model().Rows();
    const std::vector<TextEntry> texts = m_view.Model().Texts();

    const Bytes written = SaveAs("single.slv");
    ASSERT_FALSE(written.empty());
    EXPECT_FALSE(m_doc.IsModified());

    NewLayout("Double");
    EXPECT_TRUE(Open(PathOf("single.slv")).empty());

    ASSERT_EQ(m_view.Model().Rows().size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const PropertyEntry& got = m_view.Model().Rows()[i];
        const PropertyEntry& want = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i << " " << want.m_strObjectName.c_str() << " / "
                                        << want.m_strKey.c_str());
        EXPECT_EQ(got.m_strObjectName, want.m_strObjectName);
        EXPECT_EQ(got.m_strKey, want.m_strKey);
        EXPECT_EQ(got.m_strValue, want.m_strKey == "Vector Data" ? CString() : want.m_strValue)
            << "line layouts are made again";
        EXPECT_EQ(got.m_bShown, want.m_bShown);
        EXPECT_EQ(got.m_strEditorKind, want.m_strEditorKind);
        EXPECT_EQ(got.m_strChoices, want.m_strChoices);
        EXPECT_EQ(got.m_nRowsAfter, want.m_nRowsAfter);
    }
    ASSERT_EQ(m_view.Model().Texts().size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(m_view.Model().Texts()[i].m_strName, texts[i].m_strName);
        EXPECT_EQ(m_view.Model().Texts()[i].m_strItemType, texts[i].m_strItemType);
        EXPECT_EQ(m_view.Model().Texts()[i].m_strValue, texts[i].m_strValue);
        EXPECT_EQ(m_view.Model().Texts()[i].m_nOrigin, texts[i].m_nOrigin);
    }
    ASSERT_EQ(m_view.Model().Images().size(), 2u);
    EXPECT_EQ(m_view.Model().Images()[0]->GetFormat(), kImageFormatJpeg);
    EXPECT_EQ(KeptBytes(*m_view.Model().Images()[0]), std::string("\xFF\xD8\xFF\xE0 not really a jpeg", 24));
    EXPECT_EQ(m_view.Model().Images()[1]->GetFormat(), 9);
    EXPECT_EQ(KeptBytes(*m_view.Model().Images()[1]), "opaque bytes of a format without a codec");
    EXPECT_EQ(m_view.Model().Shown().zoom, 16);
    EXPECT_EQ(m_view.Model().Shown().surface, "Back Cover");
    EXPECT_EQ(m_view.Model().Shown().page, "3");
    EXPECT_EQ(m_view.Model().Shown().layout, "Single");
    EXPECT_EQ(m_view.Model().StackingCounter(), 2);
    EXPECT_EQ(m_view.Model().Placement().geometry.back.width, 5910);
    EXPECT_EQ(m_doc.m_nFileVersion, 6);
    EXPECT_EQ(m_doc.GetTitle(), "single.slv");
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_view.Model().IsUndoRecording());
    EXPECT_TRUE(m_view.m_bDrawingEnabled);

    // Read and written again, the file stays byte for byte the same.
    const Bytes again = SaveAs("again.slv");
    Open(PathOf("again.slv"));
    EXPECT_EQ(SaveAs("third.slv"), again);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(DocumentFileTest, DoubleLabelComesBackWithBothDiscs)
{
    NewLayout("Double");
    m_view.SetTextRowValue(8, "1`Only - Disc 2`45:00`");
    m_view.ReplacePropertyValue("Disc 2", "Top", "6.000");
    m_view.Model().Shown().surface = "Disc 2";
    SaveAs("double.slv");

    NewLayout("Single");
    Open(PathOf("double.slv"));
    EXPECT_EQ(m_view.Model().Shown().layout, "Double");
    EXPECT_EQ(m_view.Model().Shown().surface, "Disc 2");
    // Read, the label lands on the disc paper in use ("[Generic]": disc 2 at 5.688 in).
    EXPECT_EQ(m_view.Model().Placement().geometry.disc2.top, 5688);
    ASSERT_EQ(m_view.Model().Texts().size(), 12u);
    EXPECT_EQ(m_view.Model().Texts()[8].m_strValue, "1`Only - Disc 2`45:00`");
    EXPECT_EQ(*GetNumberSetting("Template"), 2u) << "the layout used last";
}

TEST_F(DocumentFileTest, GoldenBytesAreReadAndWrittenBackUnchanged)
{
    const Bytes golden = GoldenDocument();
    WriteFileBytes(PathOf("golden.slv"), golden);
    EXPECT_TRUE(Open(PathOf("golden.slv")).empty());

    ASSERT_EQ(m_view.Model().Rows().size(), 4u);
    EXPECT_EQ(m_view.Model().Rows()[2].m_strChoices, "Inside");
    EXPECT_EQ(m_view.Model().Rows()[3].m_strKey, "Image Number");
    EXPECT_EQ(m_view.Model().Rows()[3].m_bShown, 1);
    EXPECT_EQ(m_view.Model().Rows()[3].m_strEditorKind, "EDIT");
    ASSERT_EQ(m_view.Model().Texts().size(), 2u);
    EXPECT_EQ(m_view.Model().Texts()[0].m_strValue, "Hello\r\nthere");
    EXPECT_EQ(m_view.Model().Texts()[0].m_nOrigin, 1);
    EXPECT_EQ(m_view.Model().Texts()[1].m_strItemType, "Track");
    EXPECT_EQ(m_view.Model().Texts()[1].m_strValue, "1`Intro`0:42`");
    EXPECT_EQ(m_view.Model().Texts()[1].m_nOrigin, 2);
    EXPECT_EQ(m_view.Model().Shown().zoom, 14);
    EXPECT_EQ(m_view.Model().StackingCounter(), 1);
    ASSERT_EQ(m_view.Model().Images().size(), 1u);
    EXPECT_FALSE(m_view.Model().Images()[0]->IsValid());
    EXPECT_EQ(KeptBytes(*m_view.Model().Images()[0]), std::string("abc\n\0\xFF", 6));

    CMemFile out;
    ASSERT_TRUE(m_doc.WriteDocument(out));
    EXPECT_EQ(out.Detach(), golden);
}

TEST_F(DocumentFileTest, OnlyImagesInUseAreWrittenAndRenumbered)
{
    NewLayout("Single");
    for (int i = 0; i < 6; ++i)
        m_view.Model().AppendImage(KeptBlock(9, "image " + std::to_string(i)));
    AddImageObject(m_view, "Image(1)", 0, "1");
    AddImageObject(m_view, "Image(2)", 2, "2");
    AddImageObject(m_view, "Image(3)", 5, "3");
    SaveAs("numbers.slv");
    EXPECT_EQ(m_view.Model().Images().size(), 6u) << "the view keeps its own numbering";
    EXPECT_EQ(m_view.GetPropertyValue("Image(3)", "Image Number"), "5");

    Open(PathOf("numbers.slv"));
    ASSERT_EQ(m_view.Model().Images().size(), 3u);
    EXPECT_EQ(m_view.GetPropertyValue("Image(1)", "Image Number"), "0");
    EXPECT_EQ(m_view.GetPropertyValue("Image(2)", "Image Number"), "1");
    EXPECT_EQ(m_view.GetPropertyValue("Image(3)", "Image Number"), "2");
    EXPECT_EQ(KeptBytes(*m_view.Model().Images()[1]), "image 2");
    EXPECT_EQ(KeptBytes(*m_view.Model().Images()[2]), "image 5");
}

TEST_F(DocumentFileTest, PicturesAreEncodedInTheirFormatAndMetafilesAsPng)
{
    // A stand-in codec for the PNG code that writes a picture as its size.
    ScopedImageCodec png(
        kImageFormatPng, ImageCodec{[](CxImage& image, CImageFile& file) {
                                        const int size = static_cast<int>(file.Size());
                                        image.Create(size, 1, 24, kImageFormatPng);
                                        return image.IsValid();
                                    },
                                    [](CxImage& image, CImageFile& file) {
                                        const std::string text = std::string(static_cast<size_t>(image.GetWidth()), 'p');
                                        return file.Write(text.data(), 1, text.size()) == text.size();
                                    }});
    NewLayout("Single");
    auto metafile = std::make_unique<CxImage>(5, 1, 24, kImageFormatWmf);
    m_view.Model().AppendImage(std::move(metafile));
    AddImageObject(m_view, "Image(1)", 0, "1");
    SaveAs("png.slv");

    Open(PathOf("png.slv"));
    ASSERT_EQ(m_view.Model().Images().size(), 1u);
    EXPECT_EQ(m_view.Model().Images()[0]->GetFormat(), kImageFormatPng);
    EXPECT_EQ(m_view.Model().Images()[0]->GetWidth(), 5);
    const Bytes file = ReadFileBytes(PathOf("png.slv"));
    const std::string tail(file.end() - 9, file.end());
    EXPECT_EQ(tail, "2\n5\nppppp");
}

TEST_F(DocumentFileTest, ImageBlocksOfLengthZeroKeepTheirPlace)
{
    NewLayout("Single");
    m_view.Model().AppendImage(std::make_unique<CxImage>(kImageFormatBmp));  // an empty slot
    m_view.Model().AppendImage(KeptBlock(9, "second"));
    AddImageObject(m_view, "Image(1)", 0, "1");
    AddImageObject(m_view, "Image(2)", 1, "2");
    SaveAs("zero.slv");

    Open(PathOf("zero.slv"));
    ASSERT_EQ(m_view.Model().Images().size(), 2u);
    EXPECT_FALSE(m_view.Model().Images()[0]->IsValid());
    EXPECT_EQ(KeptBytes(*m_view.Model().Images()[1]), "second") << "image 1 is still image 1";
    EXPECT_GE(m_view.FindObjectRow("Image(2)"), 0);
}

TEST_F(DocumentFileTest, ImageObjectsWithoutTheirImageAreRemoved)
{
    // Objects naming image 1 (beyond the one block), -1 and "x": all go.
    std::vector<PropertyEntry> rows = FreshRows();
    auto addImage = [&](const char* name, const char* number) {
        rows.push_back({name, "Item Type", "Image", 0, "", "1", 3});
        rows.push_back({name, "Page", "1", 0, "", "", 2});
        rows.push_back({name, "View", "Disc 1", 0, "", "Inside", 1});
        rows.push_back({name, "Image Number", number, 0, "", "", 0});
    };
    addImage("Image(1)", "0");
    addImage("Image(2)", "1");
    addImage("Image(3)", "-1");
    addImage("Image(4)", "x");
    Bytes bytes = HandMadeDocument(rows, 6, 1);
    AppendImageBlock(bytes, 9, Bytes{'z'});
    WriteFileBytes(PathOf("objects.slv"), bytes);

    EXPECT_TRUE(Open(PathOf("objects.slv")).empty());
    EXPECT_GE(m_view.FindObjectRow("Image(1)"), 0);
    EXPECT_LT(m_view.FindObjectRow("Image(2)"), 0);
    EXPECT_LT(m_view.FindObjectRow("Image(3)"), 0);
    EXPECT_LT(m_view.FindObjectRow("Image(4)"), 0);
    EXPECT_EQ(m_view.Model().Rows().size(), 83u + 4u);
}

TEST_F(DocumentFileTest, Version5FileIsConvertedAndWrittenOnlyWhenTheUserSaves)
{
    std::vector<PropertyEntry> rows = FreshRows();
    for (PropertyEntry& row : rows)
        row.m_bShown = 1;  // version 5 listed positions, diameters, orientation and the fold
    const Bytes original = HandMadeDocument(rows, 5);
    WriteFileBytes(PathOf("old.slv"), original);

    EXPECT_TRUE(Open(PathOf("old.slv")).empty());
    EXPECT_EQ(m_doc.m_nFileVersion, 5);
    for (const char* key : {"Left", "Top", "Inner Diameter", "Outer Diameter", "Orientation", "Folded Cover"}) {
        for (const PropertyEntry& row : m_view.Model().Rows()) {
            if (row.m_strKey == key) {
                EXPECT_EQ(row.m_bShown, 0) << row.m_strObjectName.c_str() << " / " << key;
            }
        }
    }
    EXPECT_EQ(m_view.Model().Rows()[static_cast<size_t>(m_view.FindPropertyRow("Disc 1", "Print Border"))].m_bShown, 1)
        << "other rows keep their flag";
    EXPECT_EQ(m_view.Model().StackingCounter(), 3);
    EXPECT_EQ(m_view.Model().Shown().surface, "Front Cover");
    // The file stays as it was; the converted label counts as changed.
    EXPECT_EQ(ReadFileBytes(PathOf("old.slv")), original);
    EXPECT_TRUE(m_doc.IsModified());

    // Saved by the user, it is of the current version.
    ASSERT_TRUE(m_doc.SaveDocumentFile());
    const Bytes rewritten = ReadFileBytes(PathOf("old.slv"));
    const Bytes schema6 = {0xFF, 0xFF, 6, 0, 9, 0};
    ASSERT_GE(rewritten.size(), 8u);
    EXPECT_TRUE(std::equal(schema6.begin(), schema6.end(), rewritten.begin() + 2));
    Open(PathOf("old.slv"));
    EXPECT_EQ(m_doc.m_nFileVersion, 6);
    EXPECT_EQ(m_view.Model().StackingCounter(), 3);
}

TEST_F(DocumentFileTest, AFileWithoutTextRecordsIsOfTheCurrentVersion)
{
    Bytes bytes;
    AppendWord(bytes, 0);
    AppendWord(bytes, 0);
    AppendVariables(bytes, "1", 10, "Disc 1", 0, 0, 1, "Single", true, 7);
    AppendImageBlock(bytes, 9, Bytes{'q'});
    WriteFileBytes(PathOf("notext.slv"), bytes);

    EXPECT_TRUE(Open(PathOf("notext.slv")).empty());
    EXPECT_EQ(m_doc.m_nFileVersion, 6);
    EXPECT_EQ(m_view.Model().StackingCounter(), 7) << "the stacking counter is read";
    ASSERT_EQ(m_view.Model().Images().size(), 1u) << "and the image block from its place";
    EXPECT_EQ(KeptBytes(*m_view.Model().Images()[0]), "q");
    EXPECT_TRUE(FileExists(PathOf("notext.slv")));
}

TEST_F(DocumentFileTest, NewerVersionsAreRefusedAndTheirFileIsLeftAlone)
{
    const Bytes newer = HandMadeDocument(FreshRows(), 7);
    WriteFileBytes(PathOf("newer.slv"), newer);

    const std::vector<std::string> messages = Open(PathOf("newer.slv"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], kNewerVersionFile);
    EXPECT_EQ(m_doc.m_nFileVersion, 7);
    ExpectEmptyLayout("version 7");
    EXPECT_EQ(ReadFileBytes(PathOf("newer.slv")), newer);
}

TEST_F(DocumentFileTest, DamagedFilesLeaveTheOpenLabelAsItWas)
{
    struct Case {
        const char* what;
        Bytes bytes;
    };
    std::vector<Case> cases;
    auto withTail = [](const std::function<void(Bytes&)>& tail) {
        Bytes bytes;
        AppendWord(bytes, 0);
        AppendWord(bytes, 0);
        tail(bytes);
        return bytes;
    };
    cases.push_back({"empty file", {}});
    cases.push_back({"property count beyond the file", Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}});
    {
        Bytes bytes;
        AppendWord(bytes, 1);
        AppendClassRecord(bytes, 6, "CProperty");
        AppendText(bytes, "\xFF\xFF\xFF\xFF\xFF\xFF\x7F");  // a string of 2 GB
        cases.push_back({"string length beyond the file", bytes});
    }
    {
        Bytes bytes;
        AppendWord(bytes, 1);
        AppendClassRecord(bytes, 6, "CUnknown");
        cases.push_back({"unknown class", bytes});
    }
    {
        Bytes bytes;
        AppendWord(bytes, 1);
        AppendClassRecord(bytes, 6, "CText");
        AppendTextFields(bytes, 1, "a", "Text", "b");
        cases.push_back({"a text record among the properties", bytes});
    }
    cases.push_back({"negative image count", withTail([](Bytes& b) {
                         AppendVariables(b, "1", 10, "Disc 1", 0, 0, -1, "Single", true, 0);
                     })});
    cases.push_back({"image count beyond the file", withTail([](Bytes& b) {
                         AppendVariables(b, "1", 10, "Disc 1", 0, 0, 100000, "Single", true, 0);
                         AppendImageBlock(b, 9, Bytes{'z'});
                     })});
    cases.push_back({"image block longer than the file", withTail([](Bytes& b) {
                         AppendVariables(b, "1", 10, "Disc 1", 0, 0, 1, "Single", true, 0);
                         AppendText(b, "9\n2000000000\nabc");
                     })});
    cases.push_back({"image block header not a number", withTail([](Bytes& b) {
                         AppendVariables(b, "1", 10, "Disc 1", 0, 0, 1, "Single", true, 0);
                         AppendText(b, "9\n-3\nabc");
                     })});
    cases.push_back({"image block header without its line end", withTail([](Bytes& b) {
                         AppendVariables(b, "1", 10, "Disc 1", 0, 0, 1, "Single", true, 0);
                         AppendText(b, "9\n33333333333333333333333333");
                     })});
    {
        // A version-1 block holding a stored object instead of a length.
        Bytes bytes;
        AppendWord(bytes, 0);
        AppendWord(bytes, 1);
        AppendClassRecord(bytes, 1, "CText");
        AppendTextFields(bytes, 1, "a", "Text", "b");
        AppendVariables(bytes, "1", 10, "Disc 1", 0, 0, 1, "Single", false, 0);
        AppendWord(bytes, VT_UNKNOWN);
        cases.push_back({"version-1 block of an object", bytes});
    }
    {
        Bytes bytes;
        AppendWord(bytes, 0);
        AppendWord(bytes, 1);
        AppendClassRecord(bytes, 0, "CText");
        AppendTextFields(bytes, 1, "a", "Text", "b");
        AppendVariables(bytes, "1", 10, "Disc 1", 0, 0, 0, "Single", false, 0);
        cases.push_back({"version 0", bytes});
    }

    NewLayout("Single");
    AddFreeText(m_view, "Text 1", "edited");
    m_doc.SetModifiedFlag(TRUE);
    const OpenLabel before = Kept();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFileBytes(PathOf("damaged.slv"), c.bytes);
        const std::vector<std::string> messages = Open(PathOf("damaged.slv"));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], kErrorOpeningFile);
        ExpectLabelKept(before, c.what);
        EXPECT_EQ(ReadFileBytes(PathOf("damaged.slv")), c.bytes) << "the file is not written over";
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(DocumentFileTest, TextsUpToTheirLimitAreReadAndLongerOnesRefused)
{
    const size_t row = static_cast<size_t>(RecordLimits::kRowTextLength);
    const size_t text = static_cast<size_t>(RecordLimits::kTextValueLength);
    using Field = std::string DocumentTexts::*;
    using ReadBack = CString (*)(const CLabelModel&);
    const ReadBack rowName = [](const CLabelModel& m) { return m.Row(0).m_strObjectName; };
    const ReadBack rowKey = [](const CLabelModel& m) { return m.Row(0).m_strKey; };
    const ReadBack rowValue = [](const CLabelModel& m) { return m.Row(0).m_strValue; };
    const ReadBack rowKind = [](const CLabelModel& m) { return m.Row(0).m_strEditorKind; };
    const ReadBack rowChoices = [](const CLabelModel& m) { return m.Row(0).m_strChoices; };
    const ReadBack textName = [](const CLabelModel& m) { return m.Texts()[0].m_strName; };
    const ReadBack textValue = [](const CLabelModel& m) { return m.Texts()[0].m_strValue; };
    struct Case {
        const char* what;
        Field field;
        size_t length;
        ReadBack readBack;  // null: refused
        std::string key = "Item Type";
        size_t lengthRead = 0;
    };
    const Case cases[] = {
        {"object name", &DocumentTexts::name, row, rowName},
        {"object name", &DocumentTexts::name, row + 1, nullptr},
        {"caption", &DocumentTexts::key, row, rowKey},
        {"caption", &DocumentTexts::key, row + 1, nullptr},
        {"value", &DocumentTexts::value, row, rowValue},
        {"value", &DocumentTexts::value, row + 1, nullptr},
        {"editor kind", &DocumentTexts::kind, row, rowKind},
        {"editor kind", &DocumentTexts::kind, row + 1, nullptr},
        {"choices", &DocumentTexts::choices, row, rowChoices},
        {"choices", &DocumentTexts::choices, row + 1, nullptr},
        // The line layout is made again after reading: a long one is dropped.
        {"line layout", &DocumentTexts::value, 4 * row, rowValue, "Vector Data", 0},
        {"text name", &DocumentTexts::textName, row, textName},
        {"text name", &DocumentTexts::textName, row + 1, nullptr},
        {"text kind", &DocumentTexts::textType, row + 1, nullptr},
        {"text", &DocumentTexts::text, text, textValue},
        {"text", &DocumentTexts::text, text + 1, nullptr},
        {"page shown", &DocumentTexts::page, row + 1, nullptr},
        {"surface shown", &DocumentTexts::surface, row + 1, nullptr},
        {"layout", &DocumentTexts::layout, row + 1, nullptr},
    };
    NewLayout("Single");
    AddFreeText(m_view, "Text 1", "edited");
    m_doc.SetModifiedFlag(TRUE);
    for (const Case& c : cases) {
        const std::string context = std::string(c.what) + " of " + std::to_string(c.length) + " characters";
        SCOPED_TRACE(context);
        DocumentTexts texts;
        texts.key = c.key;
        texts.*c.field = std::string(c.length, 'w');
        WriteFileBytes(PathOf("long.slv"), DocumentWith(texts));
        const OpenLabel before = Kept();
        const std::vector<std::string> messages = Open(PathOf("long.slv"));
        if (c.readBack) {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(m_doc.GetTitle(), "long.slv");
            ASSERT_FALSE(m_view.Model().Rows().empty());
            ASSERT_FALSE(m_view.Model().Texts().empty());
            const size_t expected = c.key == "Vector Data" ? c.lengthRead : c.length;
            EXPECT_EQ(static_cast<size_t>(c.readBack(m_view.Model()).GetLength()), expected) << "read whole";
        } else {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], kErrorOpeningFile);
            ExpectLabelKept(before, context);
        }
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(DocumentFileTest, ACutDocumentIsRefusedAtEveryLength)
{
    // A small document with a bit of everything, cut after every byte.
    Bytes whole = GoldenDocument();
    const std::string path = PathOf("cut.slv");
    NewLayout("Single");
    for (size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(testing::Message() << "cut at " << length << " of " << whole.size());
        WriteFileBytes(path, Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        const std::vector<std::string> messages = Open(path);
        ASSERT_EQ(messages.size(), 1u);
        ASSERT_EQ(messages[0], kErrorOpeningFile);
        ASSERT_EQ(m_view.Model().Rows().size(), 83u);
        ASSERT_TRUE(m_view.Model().IsUndoRecording());
        ASSERT_TRUE(m_view.m_bDrawingEnabled);
        ASSERT_TRUE(m_doc.GetPathName().IsEmpty());
    }
    WriteFileBytes(path, whole);
    EXPECT_TRUE(Open(path).empty());
    EXPECT_EQ(m_view.Model().Rows().size(), 4u);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(DocumentFileTest, ChangedBytesAreReadOrRefusedButNeverBreakTheView)
{
    // Every byte of a small document set to 0x00, 0x7F and 0xFF in turn: the
    // file reads, or is refused with a message (a changed schema may make it
    // newer); the view is usable either way.
    const Bytes whole = GoldenDocument();
    const std::string path = PathOf("changed.slv");
    NewLayout("Single");
    for (size_t offset = 0; offset < whole.size(); ++offset) {
        for (const BYTE value : {BYTE{0x00}, BYTE{0x7F}, BYTE{0xFF}}) {
            SCOPED_TRACE(testing::Message() << "byte " << offset << " set to " << int{value});
            Bytes changed = whole;
            changed[offset] = value;
            WriteFileBytes(path, changed);
            const size_t rowsBefore = m_view.Model().Rows().size();
            const std::vector<std::string> messages = Open(path);
            ASSERT_LE(messages.size(), 1u);
            if (!messages.empty()) {
                ASSERT_TRUE(messages[0] == kErrorOpeningFile || messages[0] == kNewerVersionFile) << messages[0];
                // A newer file leaves an empty layout; an unreadable one the label open before.
                ASSERT_EQ(m_view.Model().Rows().size(), messages[0] == kNewerVersionFile ? 83u : rowsBefore);
            }
            ASSERT_TRUE(m_view.Model().IsUndoRecording());
            ASSERT_TRUE(m_view.m_bDrawingEnabled);
            ASSERT_TRUE(IsPageText(m_view.Model().Shown().page));
            ASSERT_GE(m_view.Model().Shown().zoom, 6);
        }
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(DocumentFileTest, VersionOneBlocksAreVariantsWithALength)
{
    // Version 1: the length as a 4-byte integer variant, as a 2-byte one, as a
    // string, and 0 for an empty picture.
    Bytes bytes;
    AppendWord(bytes, 0);
    AppendWord(bytes, 1);
    AppendClassRecord(bytes, 1, "CText");
    AppendTextFields(bytes, 1, "Text 1", "Text", "x");
    AppendVariables(bytes, "1", 10, "Disc 1", 0, 0, 4, "Single", false, 0);
    AppendWord(bytes, VT_I4);
    AppendInt(bytes, 5);
    AppendText(bytes, "\xFF\xD8\xFF\x01\x02");
    AppendWord(bytes, VT_I2);
    AppendWord(bytes, 3);
    AppendText(bytes, "BMx");
    AppendWord(bytes, VT_BSTR);
    AppendString(bytes, "2");
    AppendText(bytes, "??");
    AppendWord(bytes, VT_I4);
    AppendInt(bytes, 0);
    WriteFileBytes(PathOf("v1.slv"), bytes);

    EXPECT_TRUE(Open(PathOf("v1.slv")).empty());
    EXPECT_EQ(m_doc.m_nFileVersion, 1);
    ASSERT_EQ(m_view.Model().Images().size(), 4u);
    EXPECT_EQ(KeptBytes(*m_view.Model().Images()[0]), std::string("\xFF\xD8\xFF\x01\x02", 5));
    EXPECT_EQ(m_view.Model().Images()[0]->GetFormat(), kImageFormatJpeg);
    EXPECT_EQ(KeptBytes(*m_view.Model().Images()[1]), "BMx") << "a block that does not decode is kept";
    EXPECT_EQ(KeptBytes(*m_view.Model().Images()[2]), "??");
    EXPECT_EQ(m_view.Model().Images()[3]->GetUserValue(), 0u);
    EXPECT_FALSE(m_view.Model().Images()[3]->IsValid());
}

namespace
{
TEST_F(DocumentFileTest, LayoutsDrawnAfterReopeningEqualThoseBeforeSaving)
{
    m_view.PrepareBitmaps();
    NewLayout("Single");
    m_view.SetTextRowValue(m_view.FindTextRow("Title"), "Night Drive");
    m_view.SetTextRowValue(m_view.FindTextRow("Artist"), "The Band");
    auto addText = [&](const char* name, const char* type, const char* page, const char* surface, const char* left,
                       const char* top) {
        const std::pair<const char*, const char*> rows[] = {
            {"Page", page}, {"View", surface}, {"Left", left}, {"Top", top}, {"Width", "2.000 ''"},
            {"Height", "1.200 ''"}, {"Font", "Arial,18,700,0"}, {"Color", "0,0,0"}, {"Alignment", "Center"},
            {"MultiLine", "No"}, {"Angle", "0 degrees"}, {"Track Numbers", "Yes"}, {"Track Times", "Yes"},
            {"Offset Numbers", "No"}, {"Skip Center", "Yes"}, {"Wrap Tracks", "No"}, {"Vector Data", ""}};
        int after = static_cast<int>(std::size(rows));
        m_view.AddObjectRecord(PropertyEntry{name, "Item Type", type, 1, "", "", after});
        for (const auto& [key, value] : rows)
            m_view.AddObjectRecord(PropertyEntry{name, key, value, 1, "EDIT", "", --after});
    };
    const DiscGeometry& disc = m_view.Model().Placement().geometry.disc1;
    const CString discLeft = LabelRows::ObjectLengthText(disc.left + 1300);
    const CString discTop = LabelRows::ObjectLengthText(disc.top + 200);
    addText("Artist(1)", "Text", "1", "Disc 1", discLeft, discTop);
    const FrontCoverGeometry& front = m_view.Model().Placement().geometry.front;
    addText("Title(1)", "Text", m_view.Model().Placement().frontCoverPage, "Front Cover",
            LabelRows::ObjectLengthText(front.left + front.width / 2 + 300), LabelRows::ObjectLengthText(front.top + 500));
    const BackCoverGeometry& back = m_view.Model().Placement().geometry.back;
    addText("Track List(1)", "Track", m_view.Model().Placement().backCoverPage, "Back Cover",
            LabelRows::ObjectLengthText(back.left + back.tab + 300), LabelRows::ObjectLengthText(back.top + 300));

    auto drawEveryPage = [&] {
        for (const char* surface : {"Disc 1", "Front Cover", "Back Cover"})
            m_view.ShowSurface(surface);
    };
    auto caches = [&] {
        std::vector<std::string> found;
        for (const char* name : {"Artist(1)", "Title(1)", "Track List(1)"})
            found.push_back(static_cast<LPCSTR>(m_view.GetPropertyValue(name, "Vector Data")));
        return found;
    };
    drawEveryPage();
    const std::vector<std::string> before = caches();
    for (const std::string& cache : before)
        ASSERT_FALSE(cache.empty());

    {
        CFile file;
        ASSERT_TRUE(file.Open(PathOf("drawn.slv").c_str(), CFile::modeCreate | CFile::modeWrite));
        ASSERT_TRUE(m_doc.WriteDocument(file));
    }
    EXPECT_TRUE(Open(PathOf("drawn.slv")).empty());
    drawEveryPage();
    EXPECT_EQ(caches(), before);
}
}  // namespace

namespace
{
TEST_F(DocumentFileTest, AStoredZoomNeverMakesASurfaceOutgrowItsBitmap)
{
    // A zoom saved on a screen of another resolution, or damaged up to the
    // largest value a file may hold, is lowered until the page fits the
    // surface bitmaps; one that fits is kept.
    struct Case
    {
        int dpi;
        int storedZoom;
        bool kept;
    };
    const Case cases[] = {{96, 100, false}, {120, 40, false}, {96, 10, true}, {120, 10, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE("dpi " + std::to_string(c.dpi) + ", zoom " + std::to_string(c.storedZoom));
        m_view.m_nScreenDpi = 96;
        NewLayout("Double");
        m_view.Model().Shown().surface = "Front Cover";
        m_view.Model().Shown().page = m_view.Model().Placement().frontCoverPage;
        m_view.Model().Shown().zoom = c.storedZoom;
        SaveAs("zoomed.slv");

        m_view.m_nScreenDpi = c.dpi;
        EXPECT_TRUE(Open(PathOf("zoomed.slv")).empty());
        EXPECT_EQ(m_view.Model().Shown().surface, "Front Cover");
        EXPECT_TRUE(m_view.ZoomFitsBitmaps());
        if (c.kept)
            EXPECT_EQ(m_view.Model().Shown().zoom, c.storedZoom);
        else
            EXPECT_LT(m_view.Model().Shown().zoom, c.storedZoom);
        EXPECT_GE(m_view.Model().Shown().zoom, 6);
    }
    m_view.m_nScreenDpi = 96;
    EXPECT_TRUE(m_errors.empty());
}
}  // namespace
