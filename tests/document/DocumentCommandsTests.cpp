// The document commands driven through the real dialogs: the save-changes
// prompt and its answers, File New from presets, templates and the New
// Document dialog, the command-line file, Open, Save, Save As and Save As
// Default Template, and saves that fail without losing anything.
#include "DocumentTestSupport.h"

#include "document/DocumentMessages.h"
#include "imaging/ImageCodecs.h"
#include "imaging/ImageFile.h"

#include <algorithm>

namespace {

constexpr char kPrompt[] = "Save changes to label.slv?";

class DocumentCommandsTest : public LabelDocumentTest
{
protected:
    // A label named "label.slv" with a change not saved yet.
    void EditedLabel()
    {
        NewLayout("Single");
        m_view.SetTextRowValue(0, "Edited Artist");
        m_doc.SetPathName(PathOf("label.slv").c_str(), FALSE);
        m_doc.SetModifiedFlag(TRUE);
    }

    // The New Document dialog answered with a row of its list and the template box.
    static std::function<void(HWND)> ChooseNewDocument(int row, bool fromTemplate)
    {
        return [row, fromTemplate](HWND dialog) {
            HWND list = ::GetDlgItem(dialog, IDC_NEW_DOCUMENT_LIST);
            if (!list) {
                ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
            ::SendMessageA(::GetDlgItem(dialog, IDC_NEW_DOCUMENT_DEFAULT), BM_SETCHECK,
                           fromTemplate ? BST_CHECKED : BST_UNCHECKED, 0);
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        };
    }
};

}  // namespace

TEST_F(DocumentCommandsTest, PromptAnswersYesNoAndCancel)
{
    struct Case {
        int button;
        BOOL result;
        BOOL modifiedAfter;
        bool fileWritten;
    };
    const Case cases[] = {{1, TRUE, FALSE, true}, {2, TRUE, FALSE, false}, {3, FALSE, TRUE, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "button " << c.button);
        ::DeleteFileA(PathOf("label.slv").c_str());
        EditedLabel();
        MessageBoxes boxes(c.button);
        EXPECT_EQ(m_doc.SaveModified(), c.result);
        ASSERT_EQ(boxes.Texts().size(), 1u);
        EXPECT_EQ(boxes.Texts()[0], kPrompt);
        EXPECT_EQ(m_doc.IsModified(), c.modifiedAfter);
        EXPECT_EQ(FileExists(PathOf("label.slv")), c.fileWritten);
    }

    // Unchanged: nothing to ask.
    m_doc.SetModifiedFlag(FALSE);
    MessageBoxes boxes;
    EXPECT_TRUE(m_doc.SaveModified());
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(DocumentCommandsTest, YesKeepsTheLabelWhenTheSaveDoesNotHappen)
{
    // The save fails: the file's folder is gone.
    EditedLabel();
    m_doc.SetPathName((m_folder + "gone\\label.slv").c_str(), FALSE);
    {
        MessageBoxes boxes(1);
        EXPECT_FALSE(m_doc.SaveModified());
        EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{kPrompt, kErrorSavingFile}));
    }
    EXPECT_TRUE(m_doc.IsModified());

    // Yes on a label without a file: Save As, cancelled.
    m_doc.ClearPathName();
    m_doc.SetTitle("Untitled.slv");
    {
        MessageBoxes boxes(1);
        EXPECT_FALSE(m_doc.SaveModified());
        EXPECT_EQ(boxes.OtherDialogs(), 1) << "the Save As dialog came up";
    }
    EXPECT_TRUE(m_doc.IsModified());

    // So File New, Open and Exit keep the edits.
    {
        MessageBoxes boxes(1);
        m_view.m_nStartPreset = 1;
        m_doc.OnFileNew();
        m_doc.OnFileOpen();
        EXPECT_EQ(boxes.OtherDialogs(), 2) << "the Save As dialog each time, and no Open dialog";
    }
    EXPECT_EQ(m_view.Model().Texts()[0].m_strValue, "Edited Artist");
    EXPECT_EQ(m_view.m_nStartPreset, 1) << "nothing was made";
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_FALSE(FileExists(PathOf("Default1.slv")));
}

TEST_F(DocumentCommandsTest, NoThenACancelledDialogKeepsTheChangesGuarded)
{
    EditedLabel();
    {
        MessageBoxes boxes(2);  // No, then the Open dialog is cancelled
        m_doc.OnFileOpen();
        EXPECT_EQ(boxes.OtherDialogs(), 1);
    }
    EXPECT_TRUE(m_doc.IsModified()) << "the label was not replaced: Exit must still ask";
    {
        MessageBoxes boxes(2);  // No, then the New Document dialog is cancelled
        m_view.m_nStartPreset = 0;
        m_doc.OnFileNew();
        EXPECT_EQ(boxes.OtherDialogs(), 1);
    }
    EXPECT_TRUE(m_doc.IsModified());
    {
        MessageBoxes boxes(2);  // No, then a recent file that is gone
        m_doc.OpenRecentDocument(PathOf("missing.slv").c_str());
        EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{kPrompt, kErrorOpeningFile}));
    }
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_view.Model().Texts()[0].m_strValue, "Edited Artist");
}

TEST_F(DocumentCommandsTest, RecentFilesAskFirst)
{
    NewLayout("Double");
    SaveAs("other.slv");
    EditedLabel();
    {
        MessageBoxes boxes(3);  // Cancel
        m_doc.OpenRecentDocument(PathOf("other.slv").c_str());
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kPrompt});
    }
    EXPECT_EQ(m_view.Model().Shown().layout, "Single");
    {
        MessageBoxes boxes(2);  // No
        m_doc.OpenRecentDocument(PathOf("other.slv").c_str());
    }
    EXPECT_EQ(m_view.Model().Shown().layout, "Double");
    EXPECT_EQ(m_doc.GetTitle(), "other.slv");
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(DocumentCommandsTest, FileNewMakesAMissingTemplateAndReadsAnExistingOne)
{
    m_doc.SetPathName(PathOf("previous.slv").c_str(), FALSE);
    m_view.m_nStartPreset = 1;
    {
        MessageBoxes boxes;
        m_doc.OnFileNew();
        EXPECT_TRUE(boxes.Texts().empty());
    }
    EXPECT_EQ(m_view.m_nStartPreset, -1) << "the preset serves once";
    EXPECT_TRUE(FileExists(PathOf("Default1.slv"))) << "made on first need";
    EXPECT_EQ(m_doc.GetTitle(), "Default1.slv");
    EXPECT_EQ(m_doc.GetPathName(), CString(PathOf("Default1.slv").c_str()))
        << "not the previous file, which a Save would overwrite";
    EXPECT_EQ(m_view.Model().Shown().layout, "Single");
    EXPECT_EQ(m_view.Model().Rows().size(), 83u);

    // The template's album texts read as their names; a Save goes to Save As.
    m_view.m_nStartPreset = 1;
    {
        MessageBoxes boxes;
        m_doc.OnFileNew();
        EXPECT_TRUE(boxes.Texts().empty());
    }
    EXPECT_EQ(m_view.Model().Texts()[0].m_strValue, "Artist");
    EXPECT_EQ(m_view.Model().Texts()[2].m_strValue.Left(10), "7`Track 1`");
    m_doc.SetModifiedFlag(TRUE);
    {
        MessageBoxes boxes(1);
        EXPECT_FALSE(m_doc.SaveModified()) << "the Save As dialog was cancelled";
        EXPECT_EQ(boxes.OtherDialogs(), 1);
    }

    // Presets other than 1 take the double CD template.
    m_doc.SetModifiedFlag(FALSE);
    m_view.m_nStartPreset = 2;
    {
        MessageBoxes boxes;
        m_doc.OnFileNew();
    }
    EXPECT_EQ(m_view.Model().Shown().layout, "Double");
    EXPECT_TRUE(FileExists(PathOf("Default2.slv")));
    EXPECT_EQ(*GetNumberSetting("Template"), 2u);
}

TEST_F(DocumentCommandsTest, TheNewDocumentDialogChoosesTheKind)
{
    struct Case {
        int row;
        bool fromTemplate;
        const char* layout;
        const char* title;
    };
    const Case cases[] = {{0, false, "Single", "Untitled.slv"},
                          {1, false, "Double", "Untitled.slv"},
                          {1, true, "Double", "Default2.slv"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << (c.fromTemplate ? " from the template" : ""));
        m_view.m_nStartPreset = -1;
        MessageBoxes boxes(1, ChooseNewDocument(c.row, c.fromTemplate));
        m_doc.OnFileNew();
        EXPECT_EQ(boxes.OtherDialogs(), 1);
        EXPECT_EQ(m_view.Model().Shown().layout, c.layout);
        EXPECT_EQ(m_doc.GetTitle(), c.title);
        EXPECT_EQ(m_view.Model().Texts().size(), CString(c.layout) == "Double" ? 12u : 6u);
    }
}

TEST_F(DocumentCommandsTest, TheCommandLineFileIsTheFirstDocumentOnly)
{
    NewLayout("Double");
    SaveAs("named.slv");
    NewLayout("Single");

    App().m_strCmdLinePath = PathOf("named.slv").c_str();
    m_view.m_nStartPreset = 0;
    {
        MessageBoxes boxes;
        m_doc.OnFileNew();
        EXPECT_EQ(boxes.OtherDialogs(), 0) << "no New Document dialog for a file given";
    }
    EXPECT_EQ(m_doc.GetTitle(), "named.slv");
    EXPECT_EQ(m_view.Model().Shown().layout, "Double");
    EXPECT_TRUE(App().m_strCmdLinePath.IsEmpty());
    EXPECT_EQ(m_view.m_nStartPreset, -1);

    // A later File New asks, and never reopens it.
    {
        MessageBoxes boxes(1, ChooseNewDocument(0, false));
        m_doc.OnFileNew();
        EXPECT_EQ(boxes.OtherDialogs(), 1);
    }
    EXPECT_EQ(m_doc.GetTitle(), "Untitled.slv");

    // A command-line file that can't be opened says so, and no label takes its
    // place: the preset is used up with it, so the next File New asks.
    App().m_strCmdLinePath = PathOf("nowhere.slv").c_str();
    m_view.m_nStartPreset = 2;
    m_view.Model().Clear();
    {
        MessageBoxes boxes;
        m_doc.OnFileNew();
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kErrorOpeningFile});
        EXPECT_EQ(boxes.OtherDialogs(), 0);
    }
    EXPECT_TRUE(App().m_strCmdLinePath.IsEmpty());
    EXPECT_NE(m_doc.GetTitle(), "Default2.slv") << "the preset made no label";
    EXPECT_TRUE(m_view.Model().Rows().empty());
    EXPECT_EQ(m_view.m_nStartPreset, -1);
}

TEST_F(DocumentCommandsTest, OpenAndSaveAsGoThroughTheirDialogs)
{
    NewLayout("Single");
    m_view.SetTextRowValue(1, "The Title");
    m_doc.SetModifiedFlag(TRUE);
    {
        MessageBoxes boxes(1, ChooseFile(PathOf("Chosen.SLV")));
        m_doc.OnFileSaveAs();
        EXPECT_TRUE(boxes.Texts().empty());
    }
    EXPECT_TRUE(FileExists(PathOf("Chosen.slv")));
    EXPECT_EQ(m_doc.GetTitle(), "Chosen.slv");
    EXPECT_FALSE(m_doc.IsModified());

    {
        MessageBoxes boxes(1, ChooseFile(PathOf("plain.txt")));
        m_doc.OnFileSaveAs();
    }
    EXPECT_TRUE(FileExists(PathOf("plain.txt.slv")));

    NewLayout("Double");
    {
        MessageBoxes boxes(1, ChooseFile(PathOf("Chosen.slv")));
        m_doc.OnFileOpen();
        EXPECT_TRUE(boxes.Texts().empty());
    }
    EXPECT_EQ(m_view.Model().Shown().layout, "Single");
    EXPECT_EQ(m_view.Model().Texts()[1].m_strValue, "The Title");
    EXPECT_EQ(m_doc.GetTitle(), "Chosen.slv");
}

TEST_F(DocumentCommandsTest, SaveAsDefaultTemplateWritesPlaceholdersAndKeepsTheLabelsOwnFile)
{
    NewLayout("Single");
    m_view.SetTextRowValue(0, "Real Artist");
    m_view.SetTextRowValue(2, "1`Real Track`3:00`");
    m_view.Model().AppendTextRow(TextEntry{"Text 1", "Text", "free text", 1});
    SaveAs("mine.slv");
    m_view.SetTextRowValue(6, "edited after saving");
    m_doc.SetModifiedFlag(TRUE);
    {
        MessageBoxes boxes;
        m_doc.OnFileSaveAsDefaultTemplate();
        EXPECT_TRUE(boxes.Texts().empty());
    }
    EXPECT_EQ(m_doc.GetPathName(), CString(PathOf("mine.slv").c_str()));
    EXPECT_EQ(m_doc.GetTitle(), "mine.slv");
    EXPECT_TRUE(m_doc.IsModified()) << "the label's own file is not saved by this";

    // The template reads with the names as texts.
    m_doc.SetModifiedFlag(FALSE);
    m_view.m_nStartPreset = 1;
    {
        MessageBoxes boxes;
        m_doc.OnFileNew();
    }
    EXPECT_EQ(m_view.Model().Texts()[0].m_strValue, "Artist");
    EXPECT_EQ(m_view.Model().Texts()[2].m_strValue,
              "7`Track 1`0:01`Track 2`0:02`Track 3`0:03`Track 4`0:04`Track 5`0:05`Track 6`0:06`Track 7`0:07`");
    EXPECT_EQ(m_view.Model().Texts()[3].m_strValue, "Time");
    EXPECT_EQ(m_view.Model().Texts()[6].m_strValue, "edited after saving") << "free texts stay as they are";

    // A template that can't be written says so.
    SetProgramFolder((m_folder + "gone\\").c_str());
    {
        MessageBoxes boxes;
        m_doc.OnFileSaveAsDefaultTemplate();
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kErrorSavingDefaultFile});
    }
    EXPECT_EQ(m_doc.GetTitle(), "Default1.slv");
    EXPECT_EQ(m_doc.GetPathName(), CString(PathOf("Default1.slv").c_str()));
}

TEST_F(DocumentCommandsTest, AFailedSaveLeavesThePreviousFileAndNoLeftovers)
{
    NewLayout("Single");
    m_view.Model().AppendImage(std::make_unique<CxImage>(2, 2, 24, kImageFormatPcx));
    m_view.AddObjectRecord(PropertyEntry{"Image(1)", "Item Type", "Image", 0, "", "1", 3});
    m_view.AddObjectRecord(PropertyEntry{"Image(1)", "Page", "1", 0, "", "", 2});
    m_view.AddObjectRecord(PropertyEntry{"Image(1)", "View", "Disc 1", 0, "", "Inside", 1});
    m_view.AddObjectRecord(PropertyEntry{"Image(1)", "Image Number", "0", 0, "", "", 0});

    // The picture is written through a stand-in encoder first...
    ScopedImageCodec pcx(kImageFormatPcx, ImageCodec{nullptr, [](CxImage&, CImageFile& file) {
                                                          return file.Write("pcx", 1, 3) == 3;
                                                      }});
    const Bytes first = SaveAs("keep.slv");
    ASSERT_FALSE(first.empty());

    // ...then can't be written at all: the save fails as a whole.
    pcx.Replace(ImageCodec{});
    m_view.SetTextRowValue(0, "unsaved");
    m_doc.SetModifiedFlag(TRUE);
    {
        MessageBoxes boxes;
        m_doc.OnFileSave();
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kErrorSavingFile});
    }
    EXPECT_EQ(ReadFileBytes(PathOf("keep.slv")), first);
    EXPECT_TRUE(m_doc.IsModified());
    // The label-paper file the view made at start lies beside the document.
    EXPECT_EQ(FilesIn(m_folder), (std::vector<std::string>{"keep.slv", "labels.ini"})) << "no temporary file is left";
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(DocumentCommandsTest, AConvertedTemplateIsUsedButNotWrittenOver)
{
    // A version-5 default template, as an older program left it.
    NewLayout("Single");
    {
        MessageBoxes boxes;
        ASSERT_TRUE(m_doc.SaveAsDefaultTemplate());
    }
    Bytes old = ReadFileBytes(PathOf("Default1.slv"));
    // Both class records (CProperty's at offset 2, CText's further on) get
    // schema 5; version 5 stored the same fields.
    ASSERT_GT(old.size(), 4u);
    old[4] = 5;
    const Bytes textClass = {0xFF, 0xFF, 6, 0, 5, 0, 'C', 'T', 'e', 'x', 't'};
    auto at = std::search(old.begin(), old.end(), textClass.begin(), textClass.end());
    ASSERT_NE(at, old.end());
    at[2] = 5;
    WriteFileBytes(PathOf("Default1.slv"), old);

    m_view.m_nStartPreset = 1;
    {
        MessageBoxes boxes;
        m_doc.OnFileNew();
        EXPECT_TRUE(boxes.Texts().empty());
    }
    EXPECT_EQ(m_doc.m_nFileVersion, 5);
    EXPECT_EQ(ReadFileBytes(PathOf("Default1.slv")), old);
    EXPECT_EQ(m_doc.GetTitle(), "Default1.slv");
    EXPECT_FALSE(m_doc.IsModified());
}
