// The seeded monkey in CI: a short run from a fixed seed. scripts/monkey.sh
// runs longer ones (SLEEVORY_MONKEY_STEPS, SLEEVORY_MONKEY_SEED).
#include "Monkey.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

int FromEnvironment(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

}  // namespace

static void RunMonkey(bool checkUndo)
{
    const int steps = FromEnvironment("SLEEVORY_MONKEY_STEPS", 50);
    const auto seed = static_cast<std::uint32_t>(FromEnvironment("SLEEVORY_MONKEY_SEED", 28));
    ScratchFolder folder("SleevoryMonkey");
    RunningApp program;
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    CMainFrame* frame = program.Frame();
    ASSERT_NE(frame, nullptr);

    Monkey monkey(program, *view, *frame, folder, seed, checkUndo);
    const Monkey::Figures figures = monkey.Run(steps, 20);
    std::cout << "monkey: seed " << seed << ", " << figures.steps << " steps, " << figures.saves << " saves, "
              << figures.undoRounds << " undo rounds, " << figures.faults.size() << " faults\n";
    for (const std::string& fault : figures.faults)
        ADD_FAILURE() << fault;
}

TEST(Monkey, RandomUseKeepsTheProgramUpAndEverySavedLabelWhole)
{
    RunMonkey(false);
}

// Undoing every step of a round does not yet give back the label the round
// began with: the undo of a text object's insertion or deletion leaves its
// text row out or in the wrong place (seed 28 finds it within 40 steps).
// Kept disabled until that is mended; scripts/monkey.sh runs it.
TEST(Monkey, DISABLED_UndoingEveryStepGivesBackTheLabelAndRedoingThemTheEdits)
{
    RunMonkey(true);
}
