// Documents made outside the program, with every field at an extreme the
// reader still takes (or just beyond it), opened by the running program as
// the user opens them. Each accepted document is then used the way a user
// would look it over: every object shown in the Properties and Text panes,
// every list of the Properties pane opened and each of its items picked,
// every surface drawn at every zoom, then saved and opened again. The program
// must stay up, a refused file must give "Error opening file." and nothing
// else, and a saved document must come back as it was.
#include "DocumentParts.h"
#include "ProgramDriving.h"

#include "printing/LabelTemplateFile.h"
#include "support/TestDataPath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

const char kErrorOpeningFile[] = "Error opening file.";

// The objects of the label the documents start from.
struct BaseLabel
{
    std::string path;
    CString text;
    CString track;
    CString image;
};

// A label of the program's own: the start label with a text, a track list
// and a picture inserted on the front cover, saved through File > Save As.
BaseLabel MakeBaseLabel(RunningApp& program, CQuorbel6View& view, const ScratchFolder& folder)
{
    BaseLabel base;
    base.path = folder.PathOf("base.slv");
    SendCommand(program, ID_VIEW_FRONT_COVER);
    SendCommand(program, ID_INSERT_TEXT);
    base.text = view.m_strSelectedObject;
    SendCommand(program, ID_INSERT_TRACK_LIST);
    base.track = view.m_strSelectedObject;
    {
        DialogAnswers answers(ChooseFile(TestDataPath("images/bmp24.bmp")));
        SendCommand(program, ID_INSERT_IMAGE);
    }
    base.image = view.m_strSelectedObject;
    const TextEntry* text = view.Model().FindTextOfObject(base.text);
    if (text)
        view.SetTextRowValue(view.FindTextRow(text->m_strName), "A text\r\nof two lines");
    SaveAsFromFileMenu(program, base.path);
    return base;
}

void SetValue(DocumentParts& parts, const CString& object, const char* key, const CString& value)
{
    if (CProperty* row = parts.Row(object, key))
        row->m_strValue = value;
}

void RenameObject(DocumentParts& parts, const CString& from, const CString& to)
{
    for (const int row : parts.RowsOf(from))
        parts.properties[row]->m_strObjectName = to;
}

CText* TextOf(DocumentParts& parts, const CString& object)
{
    const CString name = LabelRows::TextNameOfObject(object);
    for (const auto& text : parts.texts)
        if (text->m_strName == name)
            return text.get();
    return nullptr;
}

void ForEachObjectRow(DocumentParts& parts, const std::function<void(CProperty&)>& change)
{
    for (const auto& row : parts.properties)
        change(*row);
}

bool IsSurfaceObject(const CString& name)
{
    return name == "Front Cover" || name == "Back Cover" || name == "Disc 1" || name == "Disc 2";
}

std::string Repeat(const std::string& piece, size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

struct HostileCase
{
    const char* what;
    bool accepted;
    std::function<void(DocumentParts&, const BaseLabel&)> make;
};

std::vector<HostileCase> HostileCases()
{
    using Parts = DocumentParts;
    using Base = BaseLabel;
    return {
        {"a very long object name", true,
         [](Parts& p, const Base& b) {
             const CString name = CString(Repeat("N", 60000).c_str()) + "(1)";
             if (CText* text = TextOf(p, b.text))
                 text->m_strName = Repeat("N", 60000).c_str();
             RenameObject(p, b.text, name);
         }},
        {"very long values", true,
         [](Parts& p, const Base& b) {
             SetValue(p, b.text, "Left", ("1." + Repeat("0", 60000)).c_str());
             SetValue(p, b.text, "Font", (Repeat("A", 60000) + ",12,400,0").c_str());
             SetValue(p, b.track, "Alignment", Repeat("Top Left ", 7000).c_str());
         }},
        {"very long choices", true,
         [](Parts& p, const Base&) {
             std::string choices;
             for (int i = 0; choices.size() < 60000; ++i)
                 choices += "Choice " + std::to_string(i) + "|";
             for (const auto& row : p.properties)
                 if (row->m_strEditorKind == "COMBO")
                     row->m_strChoices = choices.c_str();
         }},
        {"a very long text", true,
         [](Parts& p, const Base& b) {
             std::string text;
             for (int i = 0; text.size() < 1000000; ++i)
                 text += "Line " + std::to_string(i) + " of a long text that goes on and on\r\n";
             if (CText* record = TextOf(p, b.text))
                 record->m_strValue = text.c_str();
         }},
        {"a track list of thousands of tracks", true,
         [](Parts& p, const Base& b) {
             std::string list = "3000`";
             for (int i = 0; i < 3000; ++i)
                 list += Repeat("Track name ", 20) + std::to_string(i) + "`" + std::to_string(i) + ":59`";
             if (CText* record = TextOf(p, b.track))
                 record->m_strValue = list.c_str();
         }},
        {"a track count beyond its tracks", true,
         [](Parts& p, const Base& b) {
             if (CText* record = TextOf(p, b.track))
                 record->m_strValue = "2147483647`Only one`1:00`";
         }},
        {"an empty object name", true, [](Parts& p, const Base& b) { RenameObject(p, b.text, ""); }},
        {"duplicated object names", true,
         [](Parts& p, const Base& b) {
             p.CopyObject(b.text, b.text);
             p.CopyObject(b.image, b.image);
             p.CopyObject(b.track, b.text);
         }},
        {"a rows-after count past its object", true,
         [](Parts& p, const Base& b) {
             if (CProperty* first = p.Row(b.text, "Item Type"))
                 first->m_nRowsAfter = INT_MAX;
             if (CProperty* first = p.Row(b.image, "Item Type"))
                 first->m_nRowsAfter = static_cast<int>(p.properties.GetSize()) + 5;
         }},
        {"negative rows-after counts", true,
         [](Parts& p, const Base&) { ForEachObjectRow(p, [](CProperty& row) { row.m_nRowsAfter = INT_MIN; }); }},
        {"rows-after counts all zero", true,
         [](Parts& p, const Base&) { ForEachObjectRow(p, [](CProperty& row) { row.m_nRowsAfter = 0; }); }},
        {"unknown editors", true,
         [](Parts& p, const Base& b) {
             ForEachObjectRow(p, [](CProperty& row) {
                 if (!row.m_strEditorKind.IsEmpty())
                     row.m_strEditorKind = "SPINNER";
             });
             if (CProperty* row = p.Row(b.text, "Left"))
                 row->m_strEditorKind = Repeat("X", 60000).c_str();
         }},
        {"an unknown item type", true,
         [](Parts& p, const Base& b) { SetValue(p, b.text, "Item Type", "Hologram"); }},
        {"huge positions and sizes", true,
         [](Parts& p, const Base& b) {
             for (const CString& object : {b.text, b.track, b.image})
                 for (const char* key : {"Left", "Top", "Width", "Height"})
                     SetValue(p, object, key, "2147483.647 ''");
         }},
        {"zero and negative positions and sizes", true,
         [](Parts& p, const Base& b) {
             for (const CString& object : {b.text, b.track, b.image}) {
                 SetValue(p, object, "Left", "-99999.000 ''");
                 SetValue(p, object, "Top", "-0.001 ''");
                 SetValue(p, object, "Width", "0.000 ''");
                 SetValue(p, object, "Height", "-5.000 ''");
             }
         }},
        {"lengths that are no numbers", true,
         [](Parts& p, const Base& b) {
             for (const CString& object : {b.text, b.track, b.image}) {
                 SetValue(p, object, "Left", "nan");
                 SetValue(p, object, "Top", "1e308");
                 SetValue(p, object, "Width", "");
                 SetValue(p, object, "Height", "-inf");
             }
         }},
        {"huge surfaces", true,
         [](Parts& p, const Base&) {
             ForEachObjectRow(p, [](CProperty& row) {
                 if (IsSurfaceObject(row.m_strObjectName) &&
                     (row.m_strKey == "Width" || row.m_strKey == "Height" || row.m_strKey == "Left" ||
                      row.m_strKey == "Top" || row.m_strKey.Find("Diameter") >= 0 || row.m_strKey == "Tab"))
                     row.m_strValue = "2147483.647";
             });
         }},
        {"the smallest zoom", true, [](Parts& p, const Base&) { p.variables.m_nZoom = 6; }},
        {"the largest zoom", true, [](Parts& p, const Base&) { p.variables.m_nZoom = 100; }},
        {"a zoom beyond any", true, [](Parts& p, const Base&) { p.variables.m_nZoom = INT_MIN; }},
        {"an unknown page and surface", true,
         [](Parts& p, const Base&) {
             p.variables.m_strPage = "9";
             p.variables.m_strSurface = Repeat("Nowhere ", 5000).c_str();
             p.variables.m_strLayout = "Triple";
         }},
        {"image numbers past the images", true,
         [](Parts& p, const Base& b) {
             p.CopyObject(b.image, "Image(99)");
             SetValue(p, "Image(99)", "Image Number", "99999999999999999999");
         }},
        {"stacking numbers at the extremes", true,
         [](Parts& p, const Base& b) {
             SetValue(p, b.image, "Stacking", "-2147483648");
             p.CopyObject(b.image, "Image(7)");
             SetValue(p, "Image(7)", "Stacking", "99999999999999999");
             p.variables.m_nStackingCounter = INT_MAX;
         }},
        {"fonts, angles and colours at the extremes", true,
         [](Parts& p, const Base& b) {
             SetValue(p, b.text, "Font", "Arial,100000,9999,1");
             SetValue(p, b.track, "Font", ",-5,-1,7");
             SetValue(p, b.text, "Angle", "2147483647 degrees");
             SetValue(p, b.track, "Angle", "-90 degrees");
             SetValue(p, b.text, "Color", "-1");
             SetValue(p, b.track, "Color", "99999999999");
         }},
        {"texts without objects and objects without texts", true,
         [](Parts& p, const Base&) {
             p.texts.RemoveAll();
             p.texts.Add(std::make_unique<CText>(1, "Nobody's", "Text", "A text no object shows"));
             p.texts.Add(std::make_unique<CText>(1, "Nobody's tracks", "Track", "1`A`1:00`"));
         }},
        {"control characters in names and texts", true,
         [](Parts& p, const Base& b) {
             if (CText* record = TextOf(p, b.text))
                 record->m_strValue = CString("\x01\x02\t\x7f\xff`|,\r\r\n\n", 12);
             SetValue(p, b.text, "Font", CString("Ar\0ial,12,400,0", 15));
         }},
        {"an empty image block", true,
         [](Parts& p, const Base&) {
             const std::string empty = "0\n0\n";
             p.imageBlocks.assign(empty.begin(), empty.end());
         }},
        {"many objects", true,
         [](Parts& p, const Base& b) {
             for (int i = 2; i < 500; ++i)
                 p.CopyObject(b.text, ("Text(" + std::to_string(i) + ")").c_str());
         }},

        // Just beyond what the reader takes: refused, the label shown kept.
        {"a text beyond the longest", false,
         [](Parts& p, const Base& b) {
             if (CText* record = TextOf(p, b.text))
                 record->m_strValue = Repeat("x", 8 * 1024 * 1024 + 1).c_str();
         }},
        {"a row text beyond the longest", false,
         [](Parts& p, const Base& b) { SetValue(p, b.text, "Font", Repeat("F", 64 * 1024 + 1).c_str()); }},
        {"more images than blocks", false, [](Parts& p, const Base&) { p.variables.m_nImageCount = 5; }},
        {"a negative image count", false, [](Parts& p, const Base&) { p.variables.m_nImageCount = -1; }},
        {"an image block cut short", false,
         [](Parts& p, const Base&) { p.imageBlocks.resize(p.imageBlocks.size() / 2); }},
    };
}

// Cases that find a fault not yet mended: a surface of no size comes back
// from the paper's sizes once the label has been looked over (a list item
// picked on the disc), so the saved document differs from the label shown.
std::vector<HostileCase> KnownFaultCases()
{
    using Parts = DocumentParts;
    using Base = BaseLabel;
    return {
        {"surfaces of no size", true,
         [](Parts& p, const Base&) {
             ForEachObjectRow(p, [](CProperty& row) {
                 if (IsSurfaceObject(row.m_strObjectName) &&
                     (row.m_strKey == "Width" || row.m_strKey == "Height" || row.m_strKey.Find("Diameter") >= 0 ||
                      row.m_strKey == "Tab"))
                     row.m_strValue = "0.000";
             });
         }},
    };
}

// Every item of one list of the Properties pane, picked as the user picks:
// a click opens the list on the current value, Down goes to the next item
// and Enter takes it. At most `limit` items.
int PickEveryItem(CMainFrame& frame, const char* caption, int limit)
{
    CPropertyGrid& grid = frame.PropertiesPane().Grid();
    int picked = 0;
    for (int last = -1; picked < limit; ++picked) {
        if (!ClickGridValue(grid, caption))
            break;
        CComboBox& list = grid.DropDown();
        if (!list.IsWindowVisible())
            break;
        if (picked == 0)
            PressKeyIn(frame.m_hWnd, list.m_hWnd, VK_HOME);
        else
            PressKeyIn(frame.m_hWnd, list.m_hWnd, VK_DOWN);
        const int at = list.GetCurSel();
        PressKeyIn(frame.m_hWnd, list.m_hWnd, VK_RETURN);
        if (at <= last || at < 0)
            break;  // the end of the list
        last = at;
    }
    return picked;
}

// Shows each object (the first and last ones of a long label) in the panes
// and picks every item of every list row it has.
void LookOverObjects(RunningApp& program, CQuorbel6View& view, CMainFrame& frame)
{
    ShowPanes(program, frame);
    std::vector<CString> names = ObjectNames(view.Model());
    constexpr size_t kEachEnd = 15;
    if (names.size() > 2 * kEachEnd)
        names.erase(names.begin() + kEachEnd, names.end() - kEachEnd);
    for (const CString& name : names) {
        SCOPED_TRACE(std::string("object ") + name.Left(40).c_str());
        if (view.FindObjectRow(name) < 0)
            continue;  // gone with an item picked before
        view.SelectObject(name);
        program.RunQueued();
        std::vector<std::string> lists;
        for (const GridRow& row : frame.PropertiesPane().Grid().Rows())
            if (row.kind == "COMBO")
                lists.emplace_back(row.caption.c_str());
        for (const std::string& caption : lists)
            PickEveryItem(frame, caption.c_str(), 40);
        ASSERT_TRUE(::IsWindow(program.MainWindow()));
    }
}

// Every surface at every zoom, each painted.
void DrawEverySurface(RunningApp& program, CQuorbel6View& view)
{
    std::vector<UINT> surfaces = {ID_VIEW_FRONT_COVER, ID_VIEW_BACK_COVER, ID_VIEW_DISC_LABEL};
    if (view.Model().Shown().layout == "Double")
        surfaces.push_back(ID_VIEW_DISC2);
    for (const UINT surface : surfaces) {
        SendCommand(program, surface);
        PaintNow(program, view);
        for (const UINT zoom : {ID_VIEW_ZOOM_OUT, ID_VIEW_ZOOM_IN}) {
            for (int step = 0; step < 60; ++step) {
                const int before = view.Model().Shown().zoom;
                SendCommand(program, zoom);
                PaintNow(program, view);
                if (view.Model().Shown().zoom == before)
                    break;
            }
        }
    }
}

}  // namespace

// One program and one document per case: each case is a test of its own, so
// that a fault names its document and no test runs long.
class HostileDocument : public ::testing::TestWithParam<size_t>
{
};

static void OpenLookOverSaveAndReopen(const HostileCase& hostile)
{
    SCOPED_TRACE(hostile.what);
    ScratchFolder folder("SleevoryHostile");
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    CMainFrame* frame = program.Frame();
    ASSERT_NE(frame, nullptr);
    const BaseLabel base = MakeBaseLabel(program, *view, folder);
    ASSERT_FALSE(base.text.IsEmpty());
    ASSERT_FALSE(base.track.IsEmpty());
    ASSERT_FALSE(base.image.IsEmpty());

    DocumentParts parts;
    ASSERT_TRUE(parts.Read(base.path));
    hostile.make(parts, base);
    const std::string path = folder.PathOf("hostile.slv");
    ASSERT_TRUE(parts.Write(path));

    // The label shown before, to be kept when the file is refused.
    ASSERT_EQ(OpenFromFileMenu(program, base.path), std::vector<std::string>{});
    const std::string before = LabelContents(view->Model());

    const std::vector<std::string> messages = OpenFromFileMenu(program, path);
    ASSERT_TRUE(::IsWindow(program.MainWindow())) << "the program stays up";
    ASSERT_EQ(program.View(), view);
    if (!hostile.accepted) {
        EXPECT_EQ(messages, std::vector<std::string>{kErrorOpeningFile});
        EXPECT_EQ(LabelContents(view->Model()), before) << "the label shown before is kept";
        EXPECT_EQ(PathOfDocument(*view), base.path);
        return;
    }
    EXPECT_EQ(messages, std::vector<std::string>{}) << "an accepted document opens without a word";
    ASSERT_EQ(PathOfDocument(*view), path);

    {
        // Looking a document over asks nothing and reports no error.
        DialogAnswers answers;
        LookOverObjects(program, *view, *frame);
        DrawEverySurface(program, *view);
        EXPECT_EQ(answers.MessageTexts(), std::vector<std::string>{});
        EXPECT_EQ(answers.OtherDialogs(), 0) << "an error report came up";
    }

    // Saved and opened again, the label comes back as it was.
    const std::string saved = folder.PathOf("saved.slv");
    EXPECT_EQ(SaveAsFromFileMenu(program, saved), std::vector<std::string>{});
    const std::string looked = LabelContents(view->Model());
    EXPECT_EQ(OpenFromFileMenu(program, saved), std::vector<std::string>{});
    ASSERT_EQ(PathOfDocument(*view), saved);
    const std::string reopened = LabelContents(view->Model());
    EXPECT_TRUE(reopened == looked) << "the saved document differs from the label, "
                                    << FirstDifference(looked, reopened);
}

TEST_P(HostileDocument, IsOpenedLookedOverSavedAndOpenedAgainOrRefusedWithOneMessage)
{
    OpenLookOverSaveAndReopen(HostileCases()[GetParam()]);
}

TEST(HostileDocuments, DISABLED_SurfacesOfNoSizeComeBackAsSaved)
{
    for (const HostileCase& hostile : KnownFaultCases())
        OpenLookOverSaveAndReopen(hostile);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileDocument, ::testing::Range<size_t>(0, HostileCases().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             std::string name;
                             for (const char ch : std::string(HostileCases()[info.param].what))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

namespace {

std::vector<std::string> FixtureFiles(const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA(TestDataPath("documents/" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.emplace_back(found.cFileName);
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// The documents and label-paper files that start the fuzzers' corpora
// (tests/data/documents) are files the program takes: a label of each
// version and layout, and paper lists, whole.
TEST(HostileDocuments, TheFuzzSeedsAreFilesTheProgramTakes)
{
    const std::vector<std::string> documents = FixtureFiles("*.slv");
    ASSERT_GE(documents.size(), 5u);
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    for (const std::string& name : documents) {
        SCOPED_TRACE(name);
        const std::string path = TestDataPath("documents/" + name);
        std::vector<std::string> messages = OpenFromFileMenu(program, path);
        EXPECT_EQ(messages, std::vector<std::string>{});
        EXPECT_GT(ObjectNames(view->Model()).size(), 3u);
        EXPECT_GE(view->Model().FindObjectRow("Front Cover"), 0);
        if (name.find("objects") != std::string::npos) {
            EXPECT_GE(view->Model().Texts().size(), 9u) << "the album texts and those of the objects";
            EXPECT_GE(view->FindObjectRow("Image(1)"), 0) << "an image whose block is in the file stays";
            EXPECT_GE(view->FindObjectRow("Track(1)"), 0);
        }
        // Opened from the read-only fixture folder, the label is not written back.
        DocumentOf(*view)->SetModifiedFlag(FALSE);
    }

    const std::vector<std::string> papers = FixtureFiles("*.ini");
    ASSERT_GE(papers.size(), 2u);
    for (const std::string& name : papers) {
        SCOPED_TRACE(name);
        const std::string bytes = FileBytes(TestDataPath("documents/" + name));
        const LabelTemplateFile::ReadResult read =
            LabelTemplateFile::FromBytes(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size());
        EXPECT_EQ(read.status, LabelTemplateFile::ReadStatus::Read) << read.problem;
        EXPECT_GE(read.list.templates.size(), 2u);
    }
}
