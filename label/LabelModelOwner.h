#pragma once

class CLabelModel;

// Whoever holds a label: the document. The view finds the label it shows
// through this, without knowing the document's class.
class ILabelModelOwner
{
public:
    virtual CLabelModel& LabelModel() = 0;

protected:
    ~ILabelModelOwner() = default;
};
