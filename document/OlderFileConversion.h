#pragma once

#include "label/LabelRows.h"

#include <vector>

// The property rows of a document file as the current version has them. Files
// of versions 1 to 5 stored some rows differently: the rows pass, in file order,
// through the steps for every version the file is older than.
struct ConvertedRows
{
    std::vector<PropertyEntry> rows;
    // The file is older than the current version and has rows: it is written
    // back at once in the current form.
    bool converted = false;
};

// `stackingCounter` is the view's counter behind Bring to Front; files before
// version 5 get stacking numbers for their images from it.
ConvertedRows ConvertOlderFileRows(const std::vector<PropertyEntry>& fileRows, int version, int& stackingCounter);
