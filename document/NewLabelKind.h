#pragma once

// The kinds of new label the user can choose, as the New dialog returns them.
enum NewLabelKind : int
{
    kNewSingleFromTemplate = 1,
    kNewSingleEmpty = 2,
    kNewDoubleFromTemplate = 3,
    kNewDoubleEmpty = 4,
    kNewLabelCancelled = -1,
};
