// Backgrounds, the stacking and centring commands, and Cut, Copy and Paste
// through the real system clipboard, on a real view.
#include "ObjectsTestSupport.h"

#include "framework/ClipboardOwner.h"
#include "imaging/ImageFixtures.h"
#include "imaging/PictureFile.h"
#include "support/ClipboardHolder.h"

namespace {

class ImagesAndClipboard : public ObjectsOnLabelTest
{
protected:
    void SetUp() override { EmptySystemClipboard(); }

    static void EmptySystemClipboard()
    {
        CClipboardOwner clipboard(nullptr);
        if (clipboard.IsOpen())
            ::EmptyClipboard();
    }

    // Another program puts a bitmap file's DIB on the clipboard, cut to `bytes` when given.
    static DWORD PutDibFromAnotherProgram(const std::string& file, long bytes = -1)
    {
        std::string command = "PutDibOnClipboard.exe \"" + file + "\"";
        if (bytes >= 0)
            command += " " + std::to_string(bytes);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process))
            return 1000 + ::GetLastError();
        ::WaitForSingleObject(process.hProcess, 20000);
        DWORD exitCode = 999;
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        return exitCode;
    }

    // An image from a file on the surface shown, selected.
    CString AddImage(const char* file, POINT labelCentre)
    {
        EXPECT_EQ(m_view.LoadImageFile(ReadPictureFile(ImageFixturePath(file).c_str()), ImageFixturePath(file).c_str(),
                                       -1),
                  1);
        const POINT screen = m_view.DocToScreenPoint(labelCentre);
        m_view.AddImageObject(RECT{screen.x - 40, screen.y - 40, screen.x + 40, screen.y + 40}, "Inside", false,
                              true);
        return m_view.m_strSelectedObject;
    }

    void ClickAt(POINT labelPoint)
    {
        POINT client = m_view.DocToScreenPoint(labelPoint);
        ::ScreenToClient(m_view.m_hWnd, &client);
        m_view.m_ptLastClick = client;
    }

    // Starts another label of the same layout and pastes on its back cover.
    void PasteIntoANewLabel()
    {
        m_view.ClearObjects();
        m_view.CreateSurfaceProperties();
        m_view.LoadLayoutGeometry();
        Show("Back Cover");
        m_view.m_strCurrentPart = "Inside";
        ClickAt(POINT{4000, 3000});
        Command(ID_EDIT_PASTE);
    }
};

TEST_F(ImagesAndClipboard, SetAsBackgroundStretchesTheImageOverTheDisc)
{
    MakeLabel("Single");
    Show("Disc 1");
    m_view.m_strCurrentPart = "Inside";
    const CString name = AddImage("png-rgb8.png", POINT{3000, 2000});
    Command(ID_LAYOUT_SET_AS_BACKGROUND);
    EXPECT_EQ(Choices(name, "Item Type"), "Background");
    EXPECT_EQ(Value(name, "Bring to Front"), "No");
    const DiscGeometry& disc = m_view.Model().Geometry().disc1;
    const RECT box = BoxOf(name);
    // Stored lengths read back truncated through a single-precision number: within one thousandth.
    EXPECT_NEAR(box.left, disc.left - 80, 1);
    EXPECT_NEAR(box.top, disc.top - 80, 1);
    EXPECT_NEAR(box.right - box.left, disc.outerDiameter + 160, 1);

    // A second image made the background takes the first one's place.
    const CString second = AddImage("bmp24.bmp", POINT{3000, 2000});
    Command(ID_LAYOUT_SET_AS_BACKGROUND);
    EXPECT_EQ(Choices(second, "Item Type"), "Background");
    EXPECT_LT(m_view.FindObjectRow(name), 0);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(ImagesAndClipboard, BackgroundsFromFilesReplaceThePictureInANewSlot)
{
    MakeLabel("Single");
    Show("Disc 1");
    m_view.m_strCurrentPart = "Inside";
    m_view.SetBackgroundFromFile(ImageFixturePath("bmp24.bmp").c_str());
    const CString name = m_view.m_strSelectedObject;
    ASSERT_EQ(Choices(name, "Item Type"), "Background");
    EXPECT_EQ(Value(name, "Image Number"), "0");
    const int objects = ObjectCount();

    // The same part again: the object stays, its picture moves to a new slot
    // and the old one stays for Undo to bring back.
    m_view.SetBackgroundFromFile(ImageFixturePath("png-rgb8.png").c_str());
    EXPECT_EQ(m_view.m_strSelectedObject, name);
    EXPECT_EQ(ObjectCount(), objects);
    EXPECT_EQ(Value(name, "Image Number"), "1");
    ASSERT_EQ(m_view.Model().ImageCount(), 2);
    EXPECT_EQ(m_view.Model().Image(0)->GetWidth(), 23);
    EXPECT_EQ(m_view.Model().Image(1)->GetWidth(), 37);

    // "[No Background]" removes it; a part without one stays as it is.
    m_view.RemoveOtherBackground(true, "");
    EXPECT_LT(m_view.FindObjectRow(name), 0);
    const int rows = m_view.Model().RowCount();
    m_view.RemoveOtherBackground(true, "");
    EXPECT_EQ(m_view.Model().RowCount(), rows);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(ImagesAndClipboard, AJpegKeepsExactlyTheBytesItWasDecodedFrom)
{
    MakeLabel("Single");
    Show("Back Cover");
    m_view.m_strCurrentPart = "Left Tab";
    m_view.SetBackgroundFromFile(ImageFixturePath("jpeg-baseline.jpg").c_str());
    EXPECT_EQ(Choices(m_view.m_strSelectedObject, "View"), "Inside");
    const CxImage* image = m_view.Model().Image(0);
    ASSERT_NE(image, nullptr);
    const std::vector<BYTE> file = ReadFixture("jpeg-baseline.jpg");
    ASSERT_EQ(image->GetUserValue(), file.size());
    EXPECT_TRUE(std::equal(file.begin(), file.end(), image->GetUserBuffer()));
}

TEST_F(ImagesAndClipboard, BackgroundOfAFoldedCoverFollowsTheSelectedHalf)
{
    MakeLabel("Single");
    Show("Front Cover");
    InsertAt(POINT{2000, 2000}, "Inside");
    Command(ID_INSERT_ARTIST);
    m_view.SetBackgroundFromFile(ImageFixturePath("bmp24.bmp").c_str());
    const CString name = m_view.m_strSelectedObject;
    EXPECT_EQ(Choices(name, "View"), "Front Cover (Inside)");
    const FrontCoverGeometry& front = m_view.Model().Geometry().front;
    const RECT box = BoxOf(name);
    EXPECT_NEAR(box.left, front.left, 1);
    EXPECT_NEAR(box.right - box.left, front.width / 2, 1);
}

TEST_F(ImagesAndClipboard, CentringAndBringingToFront)
{
    MakeLabel("Single");
    Show("Back Cover");
    m_view.m_strCurrentPart = "Inside";
    const CString first = AddImage("bmp24.bmp", POINT{2000, 1500});
    const CString second = AddImage("bmp24.bmp", POINT{3000, 1500});
    m_view.m_strSelectedObject = first;
    Command(ID_LAYOUT_BRING_TO_FRONT);
    EXPECT_EQ(Choices(first, "Item Type"), IntToStr(m_view.Model().StackingCounter()));
    EXPECT_EQ(Value(second, "Bring to Front"), "No");

    Command(ID_LAYOUT_CENTER_HORIZONTALLY);
    Command(ID_LAYOUT_CENTER_VERTICALLY);
    const BackCoverGeometry& back = m_view.Model().Geometry().back;
    const RECT box = BoxOf(first);
    EXPECT_NEAR((box.left + box.right) / 2, back.left + back.width / 2, 2);
    EXPECT_NEAR((box.top + box.bottom) / 2, back.top + back.height / 2, 2);
}

TEST_F(ImagesAndClipboard, CopyAndPasteATextTwiceGivesTheNextNames)
{
    MakeLabel("Single");
    InsertAt(POINT{3000, 2000}, "Inside");
    Command(ID_INSERT_TEXT);
    Command(ID_EDIT_COPY);
    ClickAt(POINT{6000, 3000});
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(m_view.m_strSelectedObject, "Text 1(2)");
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(m_view.m_strSelectedObject, "Text 1(3)");
    const RECT box = BoxOf("Text 1(3)");
    EXPECT_NEAR((box.left + box.right) / 2, 6000, 2);
}

TEST_F(ImagesAndClipboard, ACutFreeTextComesBackWithItsWordsInAnotherLabel)
{
    MakeLabel("Single");
    InsertAt(POINT{3000, 2000}, "Inside");
    Command(ID_INSERT_TEXT);
    Command(ID_EDIT_CUT);
    EXPECT_LT(m_view.FindObjectRow("Text 1(1)"), 0);

    // A new label: its text rows are the album's only.
    PasteIntoANewLabel();
    EXPECT_EQ(m_view.m_strSelectedObject, "Text 1(1)");
    ASSERT_NE(m_view.FindTextOfObject("Text 1(1)"), nullptr);
    EXPECT_EQ(m_view.FindTextOfObject("Text 1(1)")->m_strValue, "Text 1");
    EXPECT_EQ(Value("Text 1(1)", "View"), "Back Cover");
}

TEST_F(ImagesAndClipboard, ACopiedBackgroundKeepsAPictureOfItsOwn)
{
    MakeLabel("Single");
    Show("Disc 1");
    m_view.m_strCurrentPart = "Inside";
    m_view.SetBackgroundFromFile(ImageFixturePath("bmp24.bmp").c_str());
    Command(ID_EDIT_COPY);
    // The store holds its own copy; the label gains no slot until the paste.
    EXPECT_EQ(m_view.Model().ImageCount(), 1);
    ASSERT_NE(m_view.ClipboardStore().Picture(), nullptr);
    Command(ID_EDIT_DELETE);
    Show("Front Cover");
    m_view.m_strCurrentPart = "Inside";
    ClickAt(POINT{7000, 3000});
    Command(ID_EDIT_PASTE);
    const CString pasted = m_view.m_strSelectedObject;
    EXPECT_EQ(Value(pasted, "Image Number"), "1");
    EXPECT_EQ(Value(pasted, "Set as Background"), "No");
    EXPECT_EQ(Value(pasted, "View"), "Front Cover");
}

TEST_F(ImagesAndClipboard, ABitmapFromAnotherProgramIsPastedBeforeAStoredObject)
{
    MakeLabel("Single");
    InsertAt(POINT{3000, 2000}, "Inside");
    Command(ID_INSERT_ARTIST);
    Command(ID_EDIT_COPY);
    ASSERT_EQ(PutDibFromAnotherProgram(ImageFixturePath("bmp24.bmp")), 0u);
    ClickAt(POINT{6000, 3000});
    Command(ID_EDIT_PASTE);
    const CString pasted = m_view.m_strSelectedObject;
    EXPECT_EQ(Value(pasted, "Item Type"), "Image");
    ASSERT_EQ(m_view.Model().ImageCount(), 1);
    EXPECT_EQ(m_view.Model().Image(0)->GetWidth(), 23);
    EXPECT_EQ(m_view.Model().Image(0)->GetHeight(), 11);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(ImagesAndClipboard, ADamagedOrCompressedBitmapIsReportedAndMakesNothing)
{
    MakeLabel("Single");
    ClickAt(POINT{6000, 3000});
    const struct
    {
        const char* file;
        long bytes;
    } damaged[] = {{"bmp24.bmp", 30}, {"bmp24.bmp", 200}, {"bmp8_rle.bmp", -1}};
    for (const auto& dib : damaged) {
        SCOPED_TRACE(std::string(dib.file) + " " + std::to_string(dib.bytes));
        ASSERT_EQ(PutDibFromAnotherProgram(ImageFixturePath(dib.file), dib.bytes), 0u);
        const int rows = m_view.Model().RowCount();
        DialogAnswers answers;
        Command(ID_EDIT_PASTE);
        EXPECT_EQ(m_view.Model().RowCount(), rows);
        EXPECT_EQ(m_view.Model().ImageCount(), 0);
        ASSERT_EQ(answers.MessageTexts().size(), 1u);
        EXPECT_EQ(answers.MessageTexts()[0], "Invalid image format.");
    }
}


TEST_F(ImagesAndClipboard, ABusyClipboardStillPastesTheStoredObjectAndIsReportedOnlyWhenNothingIsStored)
{
    MakeLabel("Single");
    InsertAt(POINT{3000, 2000}, "Inside");
    const int emptyRows = m_view.Model().RowCount();
    {
        // Nothing stored and no clipboard to look into: the user is told why.
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Holds());
        DialogAnswers answers;
        Command(ID_EDIT_PASTE);
        ASSERT_EQ(answers.MessageTexts().size(), 1u);
        EXPECT_EQ(answers.MessageTexts()[0], "The clipboard is in use by another program. Please try again.");
        EXPECT_EQ(m_view.Model().RowCount(), emptyRows);
    }
    Command(ID_INSERT_ARTIST);
    const CString copied = m_view.m_strSelectedObject;
    Command(ID_EDIT_COPY);
    const int rows = m_view.Model().RowCount();
    {
        // The program's own object needs no system clipboard.
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Holds());
        DialogAnswers answers;
        Command(ID_EDIT_PASTE);
        EXPECT_TRUE(answers.MessageTexts().empty());
        EXPECT_EQ(m_view.Model().RowCount(), rows + (rows - emptyRows));
        EXPECT_NE(m_view.m_strSelectedObject, copied);
        EXPECT_EQ(LabelRows::TextNameOfObject(m_view.m_strSelectedObject), LabelRows::TextNameOfObject(copied));
    }
    // Once it is free again the view has it closed: another program can open it.
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(m_view.Model().RowCount(), rows + 2 * (rows - emptyRows));
    ClipboardHolder after;
    EXPECT_TRUE(after.Holds());
}

}  // namespace

TEST_F(ImagesAndClipboard, ACopiedPictureIsPastedIntoANewLabelWithItsOwnSlot)
{
    MakeLabel("Single");
    InsertAt(POINT{7000, 3000}, "Inside");
    {
        DialogAnswers answers(ChooseFile(ImageFixturePath("bmp24.bmp")));
        Command(ID_INSERT_IMAGE);
    }
    ASSERT_EQ(m_view.Model().ImageCount(), 1);
    Command(ID_EDIT_CUT);

    // A new label has no slots at all: the paste brings its own picture.
    PasteIntoANewLabel();
    const CString pasted = m_view.m_strSelectedObject;
    ASSERT_EQ(Value(pasted, "Item Type"), "Image");
    ASSERT_EQ(m_view.Model().ImageCount(), 1);
    EXPECT_EQ(Value(pasted, "Image Number"), "0");
    EXPECT_EQ(m_view.Model().Image(0)->GetWidth(), 23);
    // A second paste is a second picture, not a second user of the first.
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(m_view.Model().ImageCount(), 2);
    EXPECT_EQ(Value(m_view.m_strSelectedObject, "Image Number"), "1");
    EXPECT_TRUE(m_errors.empty());
}
