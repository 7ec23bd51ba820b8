// The undo history without a window: which steps it opens and keeps, which
// entries Undo and Redo replay, what a new change after an Undo drops, and the
// image numbers it hands back when entries go.
#include "framework/Conversions.h"
#include "label/UndoHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
PropertyEntry Row(const char* object, const char* key, const CString& value)
{
    PropertyEntry row;
    row.m_strObjectName = object;
    row.m_strKey = key;
    row.m_strValue = value;
    return row;
}

// One "Change" pair of a row, as the property setter records it.
void RecordChange(CUndoHistory& history, const char* object, const char* key, const CString& before,
                  const CString& after)
{
    history.Record(Row(object, key, before), UndoKind::kChange, UndoDirection::kFrom, "Front Cover");
    history.Record(Row(object, key, after), UndoKind::kChange, UndoDirection::kTo, "Front Cover");
}

// A step that changes an image object's picture from `before` to `after`.
std::vector<int> CommitImageStep(CUndoHistory& history, int before, int after)
{
    RecordChange(history, "Picture(1)", "Image Number", IntToStr(before), IntToStr(after));
    return history.Commit();
}

std::vector<std::string> Values(const std::vector<CUndoEntry>& entries)
{
    std::vector<std::string> values;
    for (const CUndoEntry& entry : entries)
        values.emplace_back(static_cast<const char*>(entry.m_payload.m_strValue));
    return values;
}

struct Steps
{
    int current, highest, floor;
};

void ExpectSteps(const CUndoHistory& history, Steps steps)
{
    EXPECT_EQ(history.CurrentStep(), steps.current);
    EXPECT_EQ(history.HighestStep(), steps.highest);
    EXPECT_EQ(history.FloorStep(), steps.floor);
}
}  // namespace

TEST(UndoHistory, OnlyAStepThatRecordedSomethingIsOpened)
{
    CUndoHistory history;
    EXPECT_FALSE(history.CanUndo());
    history.Commit();  // a release without movement
    ExpectSteps(history, {0, 0, 0});

    RecordChange(history, "Title(1)", "Left", "1.000 ''", "2.000 ''");
    history.Commit();
    history.Commit();
    ExpectSteps(history, {1, 1, 0});
    EXPECT_TRUE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());

    // Not recording: nothing is stored and no step opens.
    history.SetRecording(false);
    RecordChange(history, "Title(1)", "Left", "2.000 ''", "3.000 ''");
    history.Commit();
    history.SetRecording(true);
    history.Commit();
    ExpectSteps(history, {1, 1, 0});
    EXPECT_EQ(history.Entries().size(), 2u);
}

TEST(UndoHistory, UndoReplaysTheStepsFromEntriesNewestFirstAndRedoItsToEntriesOldestFirst)
{
    CUndoHistory history;
    RecordChange(history, "Title(1)", "Left", "a0", "a1");
    history.Commit();
    RecordChange(history, "Title(1)", "Left", "b0", "b1");
    RecordChange(history, "Title(1)", "Top", "c0", "c1");
    history.Record(Row("Title(1)", "Item Type", "Text"), UndoKind::kAdd, UndoDirection::kTo, "Back Cover");
    history.Commit();
    ExpectSteps(history, {2, 2, 0});

    ASSERT_TRUE(history.StepBack());
    EXPECT_EQ(Values(history.ActingEntries(UndoDirection::kFrom)), (std::vector<std::string>{"c0", "b0"}));
    ASSERT_TRUE(history.StepBack());
    EXPECT_EQ(Values(history.ActingEntries(UndoDirection::kFrom)), (std::vector<std::string>{"a0"}));
    EXPECT_FALSE(history.StepBack()) << "at the floor";
    history.Commit();  // a command that recorded nothing does not move past the undone step
    EXPECT_EQ(history.CurrentStep(), 0);
    ExpectSteps(history, {0, 2, 0});
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.CanRedo());

    EXPECT_EQ(Values(history.ActingEntries(UndoDirection::kTo)), (std::vector<std::string>{"a1"}));
    history.StepForward();
    const std::vector<CUndoEntry> redo = history.ActingEntries(UndoDirection::kTo);
    EXPECT_EQ(Values(redo), (std::vector<std::string>{"b1", "c1", "Text"}));
    EXPECT_EQ(redo.back().m_strSurface, CString("Back Cover"));
    history.StepForward();
    history.StepForward();  // past the highest step: stays
    ExpectSteps(history, {2, 2, 0});
    EXPECT_FALSE(history.CanRedo());
}

TEST(UndoHistory, ANewChangeAfterUndoDropsEveryUndoneStepAndItsImages)
{
    CUndoHistory history;
    CommitImageStep(history, 0, 1);
    CommitImageStep(history, 1, 2);
    CommitImageStep(history, 2, 3);
    ASSERT_TRUE(history.StepBack());
    ASSERT_TRUE(history.StepBack());
    ExpectSteps(history, {1, 3, 0});

    // The first entry of the new change drops steps 1 and 2; what they named
    // is released when the change is done, which may use one of them again.
    history.Record(Row("Title(1)", "Left", "x0"), UndoKind::kChange, UndoDirection::kFrom, "Disc 1");
    EXPECT_FALSE(history.CanRedo()) << "Redo never replays the discarded changes";
    history.Record(Row("Title(1)", "Left", "x1"), UndoKind::kChange, UndoDirection::kTo, "Disc 1");
    EXPECT_EQ(history.Commit(), (std::vector<int>{3, 2, 1}));
    ExpectSteps(history, {2, 2, 0});
    EXPECT_EQ(Values(history.ActingEntries(UndoDirection::kTo)), std::vector<std::string>{});
    ASSERT_TRUE(history.StepBack());
    EXPECT_EQ(Values(history.ActingEntries(UndoDirection::kFrom)), (std::vector<std::string>{"x0"}));
    ASSERT_TRUE(history.StepBack());
    EXPECT_EQ(Values(history.ActingEntries(UndoDirection::kFrom)), (std::vector<std::string>{"0"}));

    // Undo, then Redo back to the top: a new change drops nothing.
    CUndoHistory top;
    CommitImageStep(top, 0, 1);
    ASSERT_TRUE(top.StepBack());
    top.StepForward();
    EXPECT_TRUE(CommitImageStep(top, 1, 2).empty());
    ExpectSteps(top, {2, 2, 0});
    EXPECT_EQ(top.Entries().size(), 4u);
}

TEST(UndoHistory, KeepsFiftyStepsAndDropsExactlyTheOldest)
{
    struct Case
    {
        int commits;
        Steps steps;
        std::vector<int> lastReleased;  // by the last commit
    };
    const Case cases[] = {
        {50, {50, 50, 0}, {}},
        {51, {51, 51, 1}, {1, 0}},  // step 0 changed image 0 into 1
        {75, {75, 75, 25}, {25, 24}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.commits);
        CUndoHistory history;
        std::vector<int> released;
        for (int step = 0; step < test.commits; ++step) {
            released = CommitImageStep(history, step, step + 1);
            if (step + 1 < test.commits) {
                EXPECT_EQ(released.empty(), step < kMaxUndoSteps) << step;
            }
        }
        ExpectSteps(history, test.steps);
        EXPECT_EQ(released, test.lastReleased);
        // Every kept step is whole, and only the kept steps are there.
        ASSERT_EQ(history.Entries().size(), static_cast<size_t>(2 * kMaxUndoSteps));
        EXPECT_EQ(history.Entries().front().m_nStep, test.steps.floor);
        int undone = 0;
        while (history.StepBack()) {
            EXPECT_EQ(history.ActingEntries(UndoDirection::kFrom).size(), 1u);
            ++undone;
        }
        EXPECT_EQ(undone, kMaxUndoSteps);
    }
}

TEST(UndoHistory, TrimmingAfterAnUndoneTailKeepsTheNewSteps)
{
    CUndoHistory history;
    for (int step = 0; step < 50; ++step)
        CommitImageStep(history, step, step + 1);
    for (int undo = 0; undo < 10; ++undo)
        ASSERT_TRUE(history.StepBack());
    // The tail goes, then eleven new steps: the floor moves up by one only.
    for (int step = 0; step < 11; ++step)
        CommitImageStep(history, 100 + step, 101 + step);
    ExpectSteps(history, {51, 51, 1});
    EXPECT_EQ(history.Entries().size(), static_cast<size_t>(2 * kMaxUndoSteps));
}

TEST(UndoHistory, ImageNumbersOfEntriesAreFoundAndLoweredAboveAFreedSlot)
{
    CUndoHistory history;
    CommitImageStep(history, 1, 4);
    history.Record(Row("Picture(2)", "Image Number", "damaged"), UndoKind::kAdd, UndoDirection::kFrom, "");
    history.Record(Row("Picture(2)", "Left", "3"), UndoKind::kChange, UndoDirection::kFrom, "");
    history.Commit();
    for (int number : {1, 4})
        EXPECT_TRUE(history.RefersToImage(number)) << number;
    for (int number : {0, 2, 3})
        EXPECT_FALSE(history.RefersToImage(number)) << number << ": a Left of 3 names no image";

    history.LowerImageNumbersAbove(2);
    EXPECT_TRUE(history.RefersToImage(3));
    EXPECT_FALSE(history.RefersToImage(4));
    EXPECT_TRUE(history.RefersToImage(1));
    EXPECT_EQ(history.Entries()[2].m_payload.m_strValue, CString("damaged"));
    EXPECT_EQ(history.Entries()[3].m_payload.m_strValue, CString("3"));
}

TEST(UndoHistory, ARemovedTextIsKeptOnceAtTheEndOfItsStep)
{
    CUndoHistory history;
    RecordChange(history, "Title(1)", "Left", "a0", "a1");
    history.Commit();
    RecordChange(history, "Title(1)", "Left", "b0", "b1");
    history.Commit();
    ASSERT_TRUE(history.StepBack());
    ASSERT_TRUE(history.StepBack());

    const TextEntry text{"Title", "Text", "Hello", 1};
    for (int twice = 0; twice < 2; ++twice)
        history.KeepRemovedText(0, UndoDirection::kTo, Row("Title(1)", "", ""), text, 3, "Front Cover");
    ASSERT_EQ(history.Entries().size(), 5u);
    const CUndoEntry& kept = history.Entries()[2];
    EXPECT_EQ(kept.m_nStep, 0);
    EXPECT_EQ(kept.m_strKind, CString(UndoKind::kAddText));
    EXPECT_EQ(kept.m_text.m_strValue, CString("Hello"));
    EXPECT_EQ(kept.m_nTextIndex, 3);
    EXPECT_EQ(history.ActingEntries(UndoDirection::kTo).size(), 2u);
}

TEST(UndoHistory, ResetForgetsEverything)
{
    CUndoHistory history;
    CommitImageStep(history, 0, 1);
    CommitImageStep(history, 1, 2);
    ASSERT_TRUE(history.StepBack());
    history.SetRecording(false);
    history.Reset();
    ExpectSteps(history, {0, 0, 0});
    EXPECT_TRUE(history.IsRecording());
    EXPECT_TRUE(history.Entries().empty());
    // The drop-tail request of the Undo is gone too.
    RecordChange(history, "Title(1)", "Left", "a0", "a1");
    EXPECT_EQ(history.Entries().size(), 2u);
}
