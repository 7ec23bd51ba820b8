// Undo and Redo of the label view in the main frame, on a real label of the
// document: random edits undone and redone as a whole, the steps the history
// keeps, the undone steps a new change discards, the commands reached through
// the frame and its accelerators, and a file saved after undoing everything.
#include "document/DocumentTestSupport.h"
#include "framework/CommandIds.h"
#include "framework/CommonControls.h"
#include "framework/Conversions.h"
#include "shell/MainFrame.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using ObjectMap = std::map<std::string, std::vector<std::tuple<std::string, std::string, int, std::string, std::string, int>>>;

// The label's objects by name, each with its rows in order.
ObjectMap ObjectsOf(const CLabelModel& model)
{
    ObjectMap objects;
    for (const PropertyEntry& row : model.Rows())
        objects[static_cast<const char*>(row.m_strObjectName)].emplace_back(
            static_cast<const char*>(row.m_strKey), static_cast<const char*>(row.m_strValue), row.m_bShown,
            static_cast<const char*>(row.m_strEditorKind), static_cast<const char*>(row.m_strChoices),
            row.m_nRowsAfter);
    return objects;
}

// The objects' names in row order: their stacking and hit order.
std::vector<CString> ObjectOrderOf(const CLabelModel& model)
{
    std::vector<CString> names;
    for (int row = 0; row < model.RowCount(); row = model.NextObjectRow(row))
        names.push_back(model.Row(row).m_strObjectName);
    return names;
}

std::vector<std::tuple<std::string, std::string, std::string, int>> TextsOf(const CLabelModel& model)
{
    std::vector<std::tuple<std::string, std::string, std::string, int>> texts;
    for (const TextEntry& text : model.Texts())
        texts.emplace_back(static_cast<const char*>(text.m_strName), static_cast<const char*>(text.m_strItemType),
                           static_cast<const char*>(text.m_strValue), text.m_nOrigin);
    return texts;
}

// The rows of a Text object on the front cover.
std::vector<PropertyEntry> TextObjectRows(const CString& name, const CString& left)
{
    const std::vector<std::pair<const char*, CString>> keys = {
        {"Item Type", "Text"}, {"Page", "2"}, {"Name", name}, {"View", "Front Cover"}, {"Text", ""},
        {"Left", left},        {"Top", "1.000 ''"}, {"Width", "2.000 ''"}, {"Height", "0.500 ''"}};
    std::vector<PropertyEntry> rows;
    int after = static_cast<int>(keys.size());
    for (const auto& [key, value] : keys)
        rows.push_back(PropertyEntry{name, key, value, 1, "EDIT", key == CString("View") ? "Inside" : "", --after});
    return rows;
}

std::vector<PropertyEntry> ImageObjectRows(const CString& name, int slot)
{
    const std::vector<std::pair<const char*, CString>> keys = {
        {"Item Type", "Image"}, {"Page", "2"}, {"View", "Front Cover"}, {"Image Number", IntToStr(slot)},
        {"Left", "1.000 ''"},   {"Top", "1.000 ''"}, {"Width", "1.000 ''"}, {"Height", "1.000 ''"}};
    std::vector<PropertyEntry> rows;
    int after = static_cast<int>(keys.size());
    for (const auto& [key, value] : keys)
        rows.push_back(PropertyEntry{name, key, value, 1, "EDIT", key == CString("Item Type") ? "1" : "", --after});
    return rows;
}

bool IsGrayed(HMENU menu, UINT command)
{
    return (::GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

class UndoRedoTest : public LabelDocumentTest
{
protected:
    void SetUp() override
    {
        LabelDocumentTest::SetUp();
        // The frame's tool bars, as the program's start registers them.
        ASSERT_TRUE(EnsureCommonControls(ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES |
                                         ICC_STANDARD_CLASSES));
        m_frame = new CMainFrame;  // goes with its window
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
        m_window = m_frame->GetSafeHwnd();
        ASSERT_TRUE(m_view.Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 600, 400}, m_frame,
                                  FWID_PANE_FIRST));
        m_frame->SetActiveView(&m_view, FALSE);
        m_app.m_pMainWnd = m_frame;
        m_view.PrepareBitmaps();
        NewLayout("Single");
        m_frame->EnableEditing(FALSE);

        // Objects of the label before anything is recorded: two share one free text.
        m_view.Model().AppendImage(std::make_unique<CxImage>(3, 3, 24));
        m_view.Model().AppendImage(std::make_unique<CxImage>(4, 4, 24));
        for (const auto& row : TextObjectRows("Note(1)", "1.000 ''"))
            m_view.Model().AppendRow(row);
        for (const auto& row : TextObjectRows("Note(2)", "3.000 ''"))
            m_view.Model().AppendRow(row);
        for (const auto& row : ImageObjectRows("Picture(1)", 0))
            m_view.Model().AppendRow(row);
        m_view.Model().AppendTextRow(TextEntry{"Note", "Text", "A free note", 1});
        ASSERT_FALSE(m_view.UndoHistory().CanUndo());
        ASSERT_TRUE(m_errors.empty());
    }

    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (::IsWindow(m_window))
            ::DestroyWindow(m_window);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        LabelDocumentTest::TearDown();
    }

    // A change of one property as one command: the setter records it, the step closes.
    void Change(const CString& object, const CString& key, const CString& value)
    {
        m_view.ApplyProperty(object, key, value);
        m_view.CommitUndoStep();
    }

    // An object inserted by its rows, as insertion and paste record it.
    void Insert(const std::vector<PropertyEntry>& rows)
    {
        PropertyEntry deletion;
        deletion.m_strObjectName = rows.front().m_strObjectName;
        deletion.m_strValue = m_view.Model().Shown().surface;
        m_view.AddUndoRecord(deletion, UndoKind::kDelete, UndoDirection::kFrom);
        for (const PropertyEntry& row : rows)
            m_view.AddObjectRecord(row);
        m_view.CommitUndoStep();
    }

    void Delete(const CString& object)
    {
        m_view.RemoveObject(object, true);
        m_view.CommitUndoStep();
    }

    // The Edit menu as the frame enables it when it opens.
    HMENU OpenEditMenu()
    {
        constexpr int kEditMenu = 1;
        HMENU popup = ::GetSubMenu(::GetMenu(m_window), kEditMenu);
        m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(kEditMenu, FALSE));
        return popup;
    }
    bool UndoEnabled() { return !IsGrayed(OpenEditMenu(), ID_EDIT_UNDO); }
    bool RedoEnabled() { return !IsGrayed(OpenEditMenu(), ID_EDIT_REDO); }

    void Undo() { m_frame->SendMessage(WM_COMMAND, ID_EDIT_UNDO); }
    void Redo() { m_frame->SendMessage(WM_COMMAND, ID_EDIT_REDO); }
    int UndoAll()
    {
        int steps = 0;
        while (m_view.UndoHistory().CanUndo() && steps < 1000) {
            Undo();
            ++steps;
        }
        return steps;
    }
    int RedoAll()
    {
        int steps = 0;
        while (m_view.UndoHistory().CanRedo() && steps < 1000) {
            Redo();
            ++steps;
        }
        return steps;
    }

    // A key pressed with Ctrl held, through the application's translation of
    // keys into commands, as the message loop does it.
    bool PressCtrl(char key)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        BYTE pressed[256];
        std::memcpy(pressed, keys, sizeof keys);
        pressed[VK_CONTROL] = 0x80;
        ::SetKeyboardState(pressed);
        MSG msg{};
        msg.hwnd = m_view.m_hWnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = static_cast<WPARAM>(key);
        msg.lParam = 0x00000001;
        const BOOL eaten = m_app.PreTranslateMessage(&msg);
        ::SetKeyboardState(keys);
        return eaten != FALSE;
    }

    CMainFrame* m_frame = nullptr;
    HWND m_window = nullptr;
};

}  // namespace

TEST_F(UndoRedoTest, RandomEditsUndoneGiveTheOriginalLabelAndRedoneTheEditedOne)
{
    const char* const kKeys[] = {"Left", "Top", "Width", "Height", "Name"};
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        NewLayout("Single");
        for (const auto& row : TextObjectRows("Note(1)", "1.000 ''"))
            m_view.Model().AppendRow(row);
        for (const auto& row : TextObjectRows("Note(2)", "3.000 ''"))
            m_view.Model().AppendRow(row);
        m_view.Model().AppendTextRow(TextEntry{"Note", "Text", "A free note", 1});
        m_view.Model().AppendTextRow(TextEntry{"Other", "Text", "Another", 1});
        const ObjectMap originalObjects = ObjectsOf(m_view.Model());
        const auto originalTexts = TextsOf(m_view.Model());

        std::mt19937 random(seed);
        std::vector<CString> objects = {"Note(1)", "Note(2)"};
        int inserted = 0;
        int steps = 0;
        for (int operation = 0; operation < 40; ++operation) {
            const int kind = static_cast<int>(random() % 10);
            if (objects.empty() || kind < 2) {
                CString name = "Added";
                m_view.MakeUniqueObjectName(name);
                ++inserted;
                Insert(TextObjectRows(name, IntToStr(inserted) + ".000 ''"));
                objects.push_back(name);
            } else if (kind < 4) {
                const size_t index = random() % objects.size();
                Delete(objects[index]);
                objects.erase(objects.begin() + static_cast<long>(index));
            } else {
                // One to three properties in one step, some of them twice.
                const int changes = 1 + static_cast<int>(random() % 3);
                for (int change = 0; change < changes; ++change) {
                    const CString object = objects[random() % objects.size()];
                    m_view.ApplyProperty(object, kKeys[random() % 5], IntToStr(static_cast<int>(random() % 7)));
                }
                m_view.CommitUndoStep();
            }
            steps = m_view.UndoHistory().CurrentStep();
        }
        ASSERT_LE(steps, kMaxUndoSteps);
        const ObjectMap editedObjects = ObjectsOf(m_view.Model());
        const auto editedTexts = TextsOf(m_view.Model());

        EXPECT_EQ(UndoAll(), steps);
        EXPECT_EQ(ObjectsOf(m_view.Model()), originalObjects);
        EXPECT_EQ(TextsOf(m_view.Model()), originalTexts);
        EXPECT_FALSE(UndoEnabled());
        EXPECT_TRUE(RedoEnabled());

        EXPECT_EQ(RedoAll(), steps);
        EXPECT_EQ(ObjectsOf(m_view.Model()), editedObjects);
        EXPECT_EQ(TextsOf(m_view.Model()), editedTexts);
        EXPECT_TRUE(UndoEnabled());
        EXPECT_FALSE(RedoEnabled());

        // And the whole way once more: replaying changes nothing in the history.
        EXPECT_EQ(UndoAll(), steps);
        EXPECT_EQ(TextsOf(m_view.Model()), originalTexts);
        EXPECT_EQ(RedoAll(), steps);
        EXPECT_EQ(ObjectsOf(m_view.Model()), editedObjects);
    }
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(UndoRedoTest, UndoingADeletionBringsTheObjectBackInItsPlaceWithItsTextAndRedoDeletesItAgain)
{
    m_view.Model().Shown().surface = "Front Cover";
    const std::vector<PropertyEntry> rows(m_view.Model().Rows().begin() + m_view.FindObjectRow("Note(1)"),
                                          m_view.Model().Rows().begin() + m_view.NextObjectRow(m_view.FindObjectRow("Note(1)")));
    Delete("Note(2)");
    const int place = m_view.FindObjectRow("Note(1)");
    const std::vector<CString> order = ObjectOrderOf(m_view.Model());
    Delete("Note(1)");
    EXPECT_EQ(m_view.FindTextRow("Note"), -1) << "the last object showing it took the text along";

    const auto textsWithout = TextsOf(m_view.Model());
    Undo();
    EXPECT_EQ(TextsOf(m_view.Model()).size(), textsWithout.size() + 1);
    ASSERT_GE(m_view.FindTextRow("Note"), 0);
    EXPECT_EQ(m_view.Model().Texts()[m_view.FindTextRow("Note")].m_strValue, CString("A free note"));
    // In its place among the rows, so stacked and hit as before, and selected on its own surface.
    const int first = m_view.FindObjectRow("Note(1)");
    ASSERT_GE(first, 0);
    EXPECT_EQ(first, place);
    EXPECT_EQ(ObjectOrderOf(m_view.Model()), order);
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(m_view.Model().Row(first + static_cast<int>(i)).m_strKey, rows[i].m_strKey);
    EXPECT_EQ(m_view.m_strSelectedObject, CString("Note(1)"));
    EXPECT_EQ(m_view.Model().Shown().surface, CString("Front Cover"));
    EXPECT_EQ(m_view.m_nSelectionHandles, 8);
    EXPECT_TRUE(m_doc.IsModified());

    Redo();
    EXPECT_EQ(m_view.FindObjectRow("Note(1)"), -1);
    EXPECT_EQ(m_view.FindTextRow("Note"), -1);
    EXPECT_EQ(m_view.m_strSelectedObject, CString("Front Cover")) << "the surface it lay on";
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(UndoRedoTest, UndoingAnInsertionRemovesItAndRedoPutsItsRowsBackInOrder)
{
    Insert(ImageObjectRows("Picture(2)", 1));
    const int rowCount = m_view.Model().RowCount();
    Undo();
    EXPECT_EQ(m_view.FindObjectRow("Picture(2)"), -1);
    EXPECT_EQ(m_view.Model().ImageCount(), 2) << "the redo entries still name its picture";
    Redo();
    ASSERT_EQ(m_view.Model().RowCount(), rowCount);
    const std::vector<PropertyEntry> rows = ImageObjectRows("Picture(2)", 1);
    const int first = m_view.FindObjectRow("Picture(2)");
    ASSERT_EQ(first + static_cast<int>(rows.size()), rowCount);
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(m_view.Model().Row(first + static_cast<int>(i)).m_strKey, rows[i].m_strKey);
    EXPECT_EQ(m_view.Model().Shown().surface, CString("Front Cover"));
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(UndoRedoTest, TheOldestOfFiftyOneStepsGoesAndAPictureOnlyItNamedIsReleased)
{
    const CxImage* second = m_view.Model().Image(1);
    Change("Picture(1)", "Image Number", "1");  // now only step 0's undo names slot 0
    for (int step = 1; step <= kMaxUndoSteps; ++step)
        Change("Note(1)", "Left", IntToStr(step + 1) + ".000 ''");
    EXPECT_EQ(m_view.UndoHistory().FloorStep(), 1);

    // Slot 0 went; the picture shown moved down into its place.
    EXPECT_EQ(m_view.Model().ImageCount(), 1);
    EXPECT_EQ(m_view.GetPropertyValue("Picture(1)", "Image Number"), CString("0"));
    EXPECT_EQ(m_view.Model().Image(0), second);

    EXPECT_EQ(UndoAll(), kMaxUndoSteps);
    EXPECT_EQ(m_view.GetPropertyValue("Note(1)", "Left"), CString("1.000 ''"));
    EXPECT_EQ(m_view.GetPropertyValue("Picture(1)", "Image Number"), CString("0")) << "step 0 is gone";
    EXPECT_FALSE(UndoEnabled());
    Undo();
    EXPECT_EQ(m_view.GetPropertyValue("Note(1)", "Left"), CString("1.000 ''"));
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(UndoRedoTest, ANewChangeAfterUndoDiscardsTheUndoneStepsAndTheirPictures)
{
    m_view.Model().AppendImage(std::make_unique<CxImage>(5, 5, 24));
    Change("Note(1)", "Left", "5.000 ''");
    Change("Picture(1)", "Image Number", "2");
    Change("Note(1)", "Top", "7.000 ''");
    Undo();
    Undo();
    EXPECT_TRUE(RedoEnabled());
    EXPECT_EQ(m_view.GetPropertyValue("Picture(1)", "Image Number"), CString("0"));
    EXPECT_EQ(m_view.Model().ImageCount(), 3) << "Redo may still need slot 2";

    Change("Note(2)", "Left", "9.000 ''");
    EXPECT_FALSE(RedoEnabled());
    EXPECT_EQ(m_view.Model().ImageCount(), 2) << "nothing names slot 2 any more";
    Redo();
    EXPECT_EQ(m_view.GetPropertyValue("Note(1)", "Top"), CString("1.000 ''")) << "the discarded change stays undone";
    EXPECT_EQ(m_view.GetPropertyValue("Picture(1)", "Image Number"), CString("0"));

    Undo();
    EXPECT_EQ(m_view.GetPropertyValue("Note(2)", "Left"), CString("3.000 ''"));
    EXPECT_EQ(m_view.GetPropertyValue("Note(1)", "Left"), CString("5.000 ''"));
    Undo();
    EXPECT_EQ(m_view.GetPropertyValue("Note(1)", "Left"), CString("1.000 ''"));
    EXPECT_FALSE(UndoEnabled());
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(UndoRedoTest, AChangeAfterUndoMayTakeUpAPictureOnlyTheDiscardedStepNamed)
{
    m_view.Model().AppendImage(std::make_unique<CxImage>(5, 5, 24));
    const CxImage* third = m_view.Model().Image(2);
    Change("Picture(1)", "Image Number", "2");
    Undo();
    // The same picture chosen again: the discarded step must not take it along.
    Change("Picture(1)", "Image Number", "2");
    EXPECT_EQ(m_view.Model().ImageCount(), 3);
    EXPECT_EQ(m_view.Model().Image(2), third);
    EXPECT_EQ(m_view.GetPropertyValue("Picture(1)", "Image Number"), CString("2"));
    Undo();
    EXPECT_EQ(m_view.GetPropertyValue("Picture(1)", "Image Number"), CString("0"));
    Redo();
    EXPECT_EQ(m_view.Model().Image(2), third);
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(UndoRedoTest, CtrlZAndCtrlYReachTheViewThroughTheFramesAccelerators)
{
    EXPECT_FALSE(UndoEnabled());
    EXPECT_FALSE(RedoEnabled());
    // A command that changed nothing leaves nothing to undo.
    m_view.CommitUndoStep();
    EXPECT_FALSE(UndoEnabled());

    Change("Note(1)", "Left", "2.500 ''");
    EXPECT_TRUE(UndoEnabled());
    EXPECT_FALSE(RedoEnabled());

    EXPECT_TRUE(PressCtrl('Z'));
    EXPECT_EQ(m_view.GetPropertyValue("Note(1)", "Left"), CString("1.000 ''"));
    EXPECT_FALSE(UndoEnabled());
    EXPECT_TRUE(RedoEnabled());

    EXPECT_TRUE(PressCtrl('Y'));
    EXPECT_EQ(m_view.GetPropertyValue("Note(1)", "Left"), CString("2.500 ''"));
    EXPECT_TRUE(UndoEnabled());
    EXPECT_FALSE(RedoEnabled());

    // With nothing to redo, Ctrl+Y changes nothing.
    PressCtrl('Y');
    EXPECT_EQ(m_view.GetPropertyValue("Note(1)", "Left"), CString("2.500 ''"));
    EXPECT_TRUE(m_errors.empty());
}

TEST_F(UndoRedoTest, ANewOrOpenedLabelStartsWithNothingToUndo)
{
    Change("Note(1)", "Left", "2.500 ''");
    const Bytes saved = SaveAs("opened.slv");
    ASSERT_FALSE(saved.empty());
    EXPECT_TRUE(UndoEnabled());

    EXPECT_TRUE(Open(PathOf("opened.slv")).empty());
    EXPECT_FALSE(m_view.UndoHistory().CanUndo()) << "reading the file recorded nothing";
    EXPECT_TRUE(m_view.UndoHistory().Entries().empty());
    EXPECT_FALSE(UndoEnabled());
    EXPECT_FALSE(RedoEnabled());
    EXPECT_TRUE(m_view.IsUndoRecording());

    Change("Note(1)", "Left", "4.000 ''");
    EXPECT_TRUE(UndoEnabled());
    NewLayout("Double");
    EXPECT_FALSE(UndoEnabled());
    EXPECT_TRUE(m_view.UndoHistory().Entries().empty());
}

TEST_F(UndoRedoTest, ALabelSavedAfterUndoingEverythingIsTheFileSavedBefore)
{
    // The view as the last Undo leaves it: the surface of the object it restored.
    m_view.ShowSurface("Front Cover");
    m_view.ScrollToCurrentPart(false);
    m_view.ShowSurface("");
    const Bytes before = SaveAs("before.slv");
    ASSERT_FALSE(before.empty());

    Change("Note(1)", "Left", "4.000 ''");
    Insert(ImageObjectRows("Picture(2)", 1));
    Change("Picture(1)", "Image Number", "1");
    m_view.ApplyProperty("Note(2)", "Name", "Renamed");
    m_view.ApplyProperty("Front Cover", "Color", "255,0,0");
    m_view.CommitUndoStep();
    Insert(TextObjectRows("Added(1)", "2.000 ''"));
    const Bytes edited = SaveAs("edited.slv");
    EXPECT_NE(edited, before);

    EXPECT_EQ(UndoAll(), 5);
    EXPECT_EQ(SaveAs("after.slv"), before);
    EXPECT_EQ(RedoAll(), 5);
    EXPECT_EQ(SaveAs("redone.slv"), edited);
    EXPECT_TRUE(m_errors.empty());
}
