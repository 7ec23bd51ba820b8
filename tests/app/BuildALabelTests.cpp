// A user's whole session on the running program: a label built from nothing
// with the Insert commands, a background and the clipboard, saved, taken back
// step by step with Undo, brought back with Redo, and opened again.
#include "app/Quorbel6App.h"
#include "document/Quorbel6Doc.h"
#include "framework/Conversions.h"
#include "label/LabelRows.h"
#include "resource.h"
#include "view/Quorbel6View.h"

#include "RunningApp.h"
#include "imaging/ImageFixtures.h"
#include "support/DialogAnswers.h"
#include "support/InsertionPoint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the user sees of a label: every object row, the texts the objects
// show and each picture an object shows (by its size). An album text no
// object shows may keep the words an insert gave it.
struct LabelState
{
    std::vector<std::string> rows;
    std::vector<std::string> texts;
    std::vector<std::string> pictures;

    bool operator==(const LabelState& other) const
    {
        return rows == other.rows && texts == other.texts && pictures == other.pictures;
    }
    bool operator!=(const LabelState& other) const { return !(*this == other); }
};

LabelState StateOf(const CQuorbel6View& view)
{
    LabelState state;
    const CLabelModel& model = view.Model();
    for (int row = 0; row < model.RowCount(); ++row) {
        const PropertyEntry& entry = model.Row(row);
        // The text layout cache is made again when drawn; a read starts without it.
        if (entry.m_strKey == "Vector Data")
            continue;
        state.rows.push_back(std::string(entry.m_strObjectName) + "|" + std::string(entry.m_strKey) + "|" +
                             std::string(entry.m_strValue) + "|" + std::string(entry.m_strChoices));
        if (entry.m_strKey == "Image Number") {
            const CxImage* picture = model.Image(ParseLeadingInt(entry.m_strValue));
            state.pictures.push_back(std::string(entry.m_strObjectName) + " " +
                                     (picture ? std::to_string(picture->GetWidth()) + "x" +
                                                    std::to_string(picture->GetHeight())
                                              : std::string("none")));
        }
    }
    for (const TextEntry& text : model.Texts()) {
        bool shown = false;
        for (int row = 0; row < model.RowCount() && !shown; row = model.NextObjectRow(row))
            shown = LabelRows::TextNameOfObject(model.Row(row).m_strObjectName) == text.m_strName;
        if (shown)
            state.texts.push_back(std::string(text.m_strName) + "|" + std::string(text.m_strValue));
    }
    return state;
}

// The first difference between two states, for the failure message.
std::string FirstDifference(const LabelState& seen, const LabelState& wanted)
{
    const auto compare = [](const char* what, const std::vector<std::string>& a,
                            const std::vector<std::string>& b) -> std::string {
        for (size_t i = 0; i < a.size() || i < b.size(); ++i) {
            const std::string left = i < a.size() ? a[i] : "<none>";
            const std::string right = i < b.size() ? b[i] : "<none>";
            if (left != right)
                return std::string(what) + " " + std::to_string(i) + ": seen '" + left + "', wanted '" + right + "'";
        }
        return {};
    };
    for (const std::string& found : {compare("row", seen.rows, wanted.rows), compare("text", seen.texts, wanted.texts),
                                     compare("picture", seen.pictures, wanted.pictures)})
        if (!found.empty())
            return found;
    return "none";
}

std::vector<std::string> AllTexts(const CQuorbel6View& view)
{
    std::vector<std::string> texts;
    for (const TextEntry& text : view.Model().Texts())
        texts.push_back(std::string(text.m_strName) + "|" + std::string(text.m_strValue));
    return texts;
}

int ObjectCount(const CQuorbel6View& view)
{
    int count = 0;
    for (int row = 0; row < view.Model().RowCount(); row = view.NextObjectRow(row)) {
        const CString type = view.Model().Row(row).m_strValue;
        if (type == "Text" || type == "Track" || type == "Image")
            ++count;
    }
    return count;
}

// The new-label dialog answered with an empty single CD.
DialogAnswers::Answer ChooseEmptySingle()
{
    return ChooseNewLabel(0, false);
}

class Session
{
public:
    explicit Session(CQuorbel6View& view) : m_view(view) {}

    void Command(UINT id) { ::SendMessageA(m_view.m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // As the context menu leaves it: the insertion box around a label point of a part.
    void PointAt(const char* surface, POINT labelPoint, const char* part)
    {
        m_view.ShowSurface(surface);
        PointInsertionAt(m_view, labelPoint, part);
    }

    // Runs one user step and counts it when it changed the label.
    template <typename Action>
    void Step(const char* what, Action step)
    {
        SCOPED_TRACE(what);
        const LabelState before = StateOf(m_view);
        step();
        EXPECT_FALSE(StateOf(m_view) == before) << what << " changed nothing";
        m_states.push_back(StateOf(m_view));
    }

    const std::vector<LabelState>& States() const { return m_states; }

private:
    CQuorbel6View& m_view;
    std::vector<LabelState> m_states;
};

}  // namespace

TEST(BuildALabel, FromAnEmptySingleLayoutToASavedLabelAndBackWithUndo)
{
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<CQuorbel6Doc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);
    doc->SetModifiedFlag(FALSE);
    {
        DialogAnswers answers(ChooseEmptySingle());
        doc->OnFileNew();
        ASSERT_EQ(answers.OtherDialogs(), 1);
    }
    ASSERT_EQ(view->Model().Shown().layout, "Single");
    ASSERT_EQ(ObjectCount(*view), 0);
    const LabelState empty = StateOf(*view);

    Session user(*view);
    const struct
    {
        UINT command;
        POINT at;
    } inserts[] = {{ID_INSERT_ARTIST, {6500, 1000}},
                   {ID_INSERT_TITLE, {6500, 1600}},
                   {ID_INSERT_TRACK_LIST, {5800, 2400}},
                   {ID_INSERT_TEXT, {6500, 4000}}};
    for (const auto& insert : inserts) {
        user.Step("insert", [&] {
            user.PointAt("Front Cover", insert.at, "Inside");
            user.Command(insert.command);
        });
    }
    CString frontPicture;
    user.Step("picture on the front cover", [&] {
        user.PointAt("Front Cover", POINT{7000, 3000}, "Inside");
        DialogAnswers answers(ChooseFile(ImageFixturePath("bmp24.bmp")));
        user.Command(ID_INSERT_IMAGE);
        frontPicture = view->m_strSelectedObject;
    });
    ASSERT_EQ(view->GetPropertyValue(frontPicture, "Item Type"), "Image");
    user.Step("disc background", [&] {
        user.PointAt("Disc 1", POINT{2300, 2300}, "Inside");
        DialogAnswers answers(ChooseFile(ImageFixturePath("png-rgb8.png")));
        user.Command(ID_INSERT_IMAGE);
        user.Command(ID_LAYOUT_SET_AS_BACKGROUND);
    });
    const int role = view->FindPropertyRow(view->m_strSelectedObject, "Item Type");
    ASSERT_GE(role, 0);
    EXPECT_EQ(view->Model().Row(role).m_strChoices, "Background");
    user.Step("copy the picture and paste it on the back cover", [&] {
        view->ShowSurface("Front Cover");
        view->m_strSelectedObject = frontPicture;
        view->LoadSelection();
        user.Command(ID_EDIT_COPY);
        user.PointAt("Back Cover", POINT{3000, 3000}, "Inside");
        user.Command(ID_EDIT_PASTE);
    });
    const CString pasted = view->m_strSelectedObject;
    EXPECT_NE(pasted, frontPicture);
    EXPECT_EQ(view->GetPropertyValue(pasted, "View"), "Back Cover");
    EXPECT_EQ(ObjectCount(*view), 7);
    const LabelState built = StateOf(*view);

    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "built_" + std::to_string(::GetCurrentProcessId()) + ".slv";
    doc->SetPathName(path.c_str(), FALSE);
    ASSERT_TRUE(doc->SaveDocumentFile());

    // Undo takes the label back through every state the user made, down to the empty layout.
    const std::vector<LabelState>& states = user.States();
    for (size_t step = states.size(); step-- > 0;) {
        SCOPED_TRACE("undo back from step " + std::to_string(step));
        ASSERT_TRUE(StateOf(*view) == states[step]) << FirstDifference(StateOf(*view), states[step]);
        user.Command(ID_EDIT_UNDO);
        // Setting a background takes a step of its own after its insert.
        while (step > 0 && StateOf(*view) != states[step - 1] && StateOf(*view) != empty &&
               view->UndoHistory().CanUndo())
            user.Command(ID_EDIT_UNDO);
    }
    EXPECT_TRUE(StateOf(*view) == empty) << FirstDifference(StateOf(*view), empty);
    EXPECT_EQ(ObjectCount(*view), 0);

    // Redo brings the whole label back.
    while (view->UndoHistory().CanRedo())
        user.Command(ID_EDIT_REDO);
    EXPECT_TRUE(StateOf(*view) == built) << FirstDifference(StateOf(*view), built);

    // The saved file opens as the same label, every text row included.
    const std::vector<std::string> allTexts = AllTexts(*view);
    doc->SetModifiedFlag(FALSE);
    ASSERT_NE(program.App().OpenDocumentFile(path.c_str()), nullptr);
    CQuorbel6View* reopened = program.View();
    ASSERT_NE(reopened, nullptr);
    const LabelState read = StateOf(*reopened);
    EXPECT_TRUE(read == built) << FirstDifference(read, built);
    EXPECT_EQ(AllTexts(*reopened), allTexts);
    ::DeleteFileA(path.c_str());
}
