// The Insert commands on a real view: every command on every surface and tab
// of single and double layouts, each object inside the part it was put on.
#include "ObjectsTestSupport.h"

#include "imaging/ImageFixtures.h"

namespace {

struct PartCase
{
    const char* surface;
    const char* part;
};

struct CommandCase
{
    UINT id;
    const char* field;
    bool trackList;
};

constexpr CommandCase kCommands[] = {
    {ID_INSERT_ARTIST, "Artist", false}, {ID_INSERT_TITLE, "Title", false},
    {ID_INSERT_TRACK_LIST, "Track List", true}, {ID_INSERT_YEAR, "Year", false},
    {ID_INSERT_TIME, "Time", false}, {ID_INSERT_GENRE, "Genre", false},
    {ID_INSERT_TEXT, "Text", false},
};

class InsertObjects : public ObjectsOnLabelTest
{
protected:
    // The part's rectangle on the built-in papers, thousandths of an inch.
    RECT PartRect(const PartCase& c) const
    {
        const SurfaceGeometry& g = m_view.Model().Geometry();
        const CString surface = c.surface, part = c.part;
        if (surface == "Front Cover")
            return RECT{g.front.left, g.front.top, g.front.left + g.front.width, g.front.top + g.front.height};
        if (surface == "Back Cover" && part == "Left Tab")
            return RECT{g.back.left, g.back.top, g.back.left + g.back.tab, g.back.top + g.back.height};
        if (surface == "Back Cover" && part == "Right Tab")
            return RECT{g.back.left + g.back.width - g.back.tab, g.back.top, g.back.left + g.back.width,
                        g.back.top + g.back.height};
        if (surface == "Back Cover")
            return RECT{g.back.left + g.back.tab, g.back.top, g.back.left + g.back.width - g.back.tab,
                        g.back.top + g.back.height};
        const DiscGeometry& d = surface == "Disc 1" ? g.disc1 : g.disc2;
        return RECT{d.left, d.top, d.left + d.outerDiameter, d.top + d.outerDiameter};
    }

    void RunEveryCommand(const char* layout, const std::vector<PartCase>& parts)
    {
        MakeLabel(layout);
        const bool twoDiscs = CString(layout) == "Double";
        for (const PartCase& part : parts) {
            Show(part.surface);
            const RECT rect = PartRect(part);
            InsertAt(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, part.part);
            for (const CommandCase& command : kCommands) {
                SCOPED_TRACE(std::string(layout) + ": " + part.surface + " / " + part.part + " / " + command.field);
                const bool asksDisc = twoDiscs && CString(command.field) != "Text";
                DialogAnswers answers(ChooseDisc(2));
                m_view.m_strSelectedObject.Empty();
                Command(command.id);
                EXPECT_EQ(answers.OtherDialogs(), asksDisc ? 1 : 0);

                const CString name = m_view.m_strSelectedObject;
                ASSERT_FALSE(name.IsEmpty());
                const CString textName = LabelRows::TextNameOfObject(name);
                if (CString(command.field) == "Text")
                    EXPECT_EQ(textName.Left(5), "Text ");
                else
                    EXPECT_EQ(textName, CString(command.field) + (asksDisc ? " - Disc 2" : ""));
                EXPECT_EQ(Value(name, "Item Type"), command.trackList ? "Track" : "Text");
                EXPECT_EQ(Value(name, "View"), part.surface);
                EXPECT_EQ(Choices(name, "View"), part.part);

                // A track list is fitted to its surface, leaving the tabs free.
                const PartCase fittedTo =
                    command.trackList && CString(part.surface) == "Back Cover" ? PartCase{"Back Cover", "Inside"} : part;
                const RECT inside = PartRect(fittedTo);
                const RECT box = BoxOf(name);
                EXPECT_GE(box.left, inside.left);
                EXPECT_GE(box.top, inside.top);
                EXPECT_LE(box.right, inside.right);
                EXPECT_LE(box.bottom, inside.bottom);
                EXPECT_GT(box.right - box.left, 0);
                EXPECT_GT(box.bottom - box.top, 0);

                // The text shown is never empty after an insert.
                const TextEntry* text = m_view.FindTextOfObject(name);
                ASSERT_NE(text, nullptr);
                EXPECT_FALSE(text->m_strValue.IsEmpty());
            }
        }
        EXPECT_TRUE(m_errors.empty());
    }
};

TEST_F(InsertObjects, EveryCommandOnEveryPartOfASingleLayout)
{
    RunEveryCommand("Single", {{"Front Cover", "Inside"},
                               {"Back Cover", "Inside"},
                               {"Back Cover", "Left Tab"},
                               {"Back Cover", "Right Tab"},
                               {"Disc 1", "Inside"}});
}

TEST_F(InsertObjects, EveryCommandOnEveryPartOfADoubleLayout)
{
    RunEveryCommand("Double", {{"Front Cover", "Inside"},
                               {"Back Cover", "Left Tab"},
                               {"Disc 1", "Inside"},
                               {"Disc 2", "Inside"}});
}

TEST_F(InsertObjects, CancellingTheDiscQuestionCreatesNothing)
{
    MakeLabel("Double");
    const int rows = m_view.Model().RowCount();
    DialogAnswers answers;  // cancels
    Command(ID_INSERT_ARTIST);
    EXPECT_EQ(answers.OtherDialogs(), 1);
    EXPECT_EQ(m_view.Model().RowCount(), rows);
}

TEST_F(InsertObjects, NamesAndTextsOfRepeatedInserts)
{
    MakeLabel("Single");
    InsertAt(POINT{3000, 2000}, "Inside");
    Command(ID_INSERT_TEXT);
    EXPECT_EQ(m_view.m_strSelectedObject, "Text 1(1)");
    Command(ID_INSERT_TEXT);
    EXPECT_EQ(m_view.m_strSelectedObject, "Text 2(1)");
    EXPECT_EQ(m_view.FindTextOfObject("Text 2(1)")->m_strValue, "Text 2");
    Command(ID_INSERT_ARTIST);
    Command(ID_INSERT_ARTIST);
    EXPECT_EQ(m_view.m_strSelectedObject, "Artist(2)");
    EXPECT_EQ(m_view.FindTextOfObject("Artist(1)")->m_strValue, "Artist");
}

TEST_F(InsertObjects, TextsOnTabsRunAlongThem)
{
    MakeLabel("Single");
    Show("Back Cover");
    const struct
    {
        const char* part;
        int x;
        const char* angle;
    } tabs[] = {{"Left Tab", 1400, "90 degrees"}, {"Right Tab", 7100, "270 degrees"}};
    for (const auto& tab : tabs) {
        InsertAt(POINT{tab.x, 2500}, tab.part);
        Command(ID_INSERT_TITLE);
        const CString name = m_view.m_strSelectedObject;
        EXPECT_EQ(Value(name, "Width"), "0.250 ''");
        EXPECT_EQ(Value(name, "MultiLine"), "No");
        EXPECT_EQ(Value(name, "Angle"), tab.angle);
    }
}

TEST_F(InsertObjects, DeleteRemovesTheObjectButKeepsAFreeText)
{
    MakeLabel("Single");
    InsertAt(POINT{3000, 2000}, "Inside");
    Command(ID_INSERT_TEXT);
    const CString name = m_view.m_strSelectedObject;
    Command(ID_EDIT_DELETE);
    EXPECT_LT(m_view.FindObjectRow(name), 0);
    // Undo of the delete, or a paste of the cut object, shows this text again.
    EXPECT_GE(m_view.FindTextRow("Text 1"), 0);
}

TEST_F(InsertObjects, ReadTrackDataWithoutADriveSaysSo)
{
    MakeLabel("Single");
    DialogAnswers answers;
    Command(ID_READ_TRACK_DATA);
    ASSERT_EQ(answers.MessageTexts().size(), 1u);
    EXPECT_EQ(answers.MessageTexts()[0], "There are no CD-ROM drives attached to your system.");
}

TEST_F(InsertObjects, AnImageFromAFileFitsItsPictureAndTheInsideOfAFoldedCover)
{
    MakeLabel("Single");
    InsertAt(POINT{2000, 2000}, "Inside");
    DialogAnswers answers(ChooseFile(ImageFixturePath("bmp24.bmp")));
    Command(ID_INSERT_IMAGE);
    ASSERT_EQ(answers.OtherDialogs(), 1);
    const CString name = m_view.m_strSelectedObject;
    ASSERT_EQ(name, "Image(1)");
    EXPECT_EQ(m_view.Model().ImageCount(), 1);
    EXPECT_EQ(Value(name, "Image Number"), "0");
    EXPECT_EQ(Choices(name, "View"), "Front Cover (Inside)");
    EXPECT_EQ(Value(name, "Lock Aspect Ratio"), "Yes");
    EXPECT_EQ(Choices(name, "Item Type"), IntToStr(m_view.Model().StackingCounter()));
    // 23 x 11 pixels: the box keeps the picture's proportions.
    const RECT box = BoxOf(name);
    EXPECT_NEAR(static_cast<double>(box.right - box.left) / (box.bottom - box.top), 23.0 / 11.0, 0.05);
}

TEST_F(InsertObjects, ASecondImageSendsTheFirstBack)
{
    MakeLabel("Single");
    InsertAt(POINT{7000, 2000}, "Inside");
    for (int i = 0; i < 2; ++i) {
        DialogAnswers answers(ChooseFile(ImageFixturePath("png-rgb8.png")));
        Command(ID_INSERT_IMAGE);
    }
    EXPECT_EQ(Value("Image(1)", "Bring to Front"), "No");
    EXPECT_EQ(Value("Image(2)", "Bring to Front"), "Disabled On");
    EXPECT_EQ(Choices("Image(1)", "View"), "Inside");
}

TEST_F(InsertObjects, CancellingTheFileDialogChangesNothingNotEvenTheSurface)
{
    // Both discs lie on one sheet: an image dropped on disc 2 would show disc 2.
    MakeLabel("Double");
    Show("Disc 1");
    const int rows = m_view.Model().RowCount();
    const DiscGeometry& disc2 = m_view.Model().Geometry().disc2;
    InsertAt(POINT{disc2.left + disc2.outerDiameter / 2, disc2.top + disc2.outerDiameter / 2}, "Inside");
    {
        DialogAnswers answers;  // cancels the file dialog
        Command(ID_INSERT_IMAGE);
        EXPECT_EQ(answers.OtherDialogs(), 1);
    }
    EXPECT_EQ(m_view.Model().RowCount(), rows);
    EXPECT_EQ(m_view.Model().ImageCount(), 0);
    EXPECT_EQ(m_view.Model().Shown().surface, "Disc 1");

    DialogAnswers answers(ChooseFile(ImageFixturePath("bmp24.bmp")));
    Command(ID_INSERT_IMAGE);
    EXPECT_EQ(m_view.Model().Shown().surface, "Disc 2");
    EXPECT_EQ(Value(m_view.m_strSelectedObject, "View"), "Disc 2");
}

TEST_F(InsertObjects, AnUndecodableFileIsReportedAndNothingIsMade)
{
    MakeLabel("Single");
    InsertAt(POINT{3000, 2000}, "Inside");
    const std::string damaged = "damaged-picture.png";
    std::vector<BYTE> bytes = ReadFixture("png-rgb8.png");
    bytes.resize(40);
    ASSERT_TRUE(WriteWholeFile(damaged, bytes));
    const int rows = m_view.Model().RowCount();
    DialogAnswers answers(ChooseFile(damaged));
    Command(ID_INSERT_IMAGE);
    ::DeleteFileA(damaged.c_str());
    EXPECT_EQ(m_view.Model().RowCount(), rows);
    EXPECT_EQ(m_view.Model().ImageCount(), 0);
    ASSERT_EQ(answers.MessageTexts().size(), 1u);
    EXPECT_EQ(answers.MessageTexts()[0], "Invalid image format.");
}

}  // namespace

TEST_F(InsertObjects, WithSnapToGridNewObjectsStartOnTheGridInOneUndoStep)
{
    MakeLabel("Single");
    m_view.m_bSnapToGrid = 1;
    m_view.m_nGridSpacingX = 125;
    m_view.m_nGridSpacingY = 100;
    const struct
    {
        UINT command;
        POINT at;
    } inserts[] = {{ID_INSERT_TEXT, {3031, 2047}}, {ID_INSERT_TRACK_LIST, {4577, 2263}}, {ID_INSERT_IMAGE, {6011, 3379}}};
    for (const auto& insert : inserts) {
        SCOPED_TRACE(insert.command);
        InsertAt(insert.at, "Inside");
        DialogAnswers answers(ChooseFile(ImageFixturePath("bmp24.bmp")));
        Command(insert.command);
        const RECT box = BoxOf(m_view.m_strSelectedObject);
        EXPECT_EQ(box.left % 125, 0) << box.left;
        EXPECT_EQ(box.top % 100, 0) << box.top;
        // One Undo takes the whole insert back.
        const int objects = ObjectCount();
        Command(ID_EDIT_UNDO);
        EXPECT_EQ(ObjectCount(), objects - 1);
        Command(ID_EDIT_REDO);
    }
}
