#pragma once

#include "framework/String.h"

// Whoever keeps the document named on the program's command line: it is
// opened once, as the first document.
class ICommandLineDocument
{
public:
    // The path, once; empty afterwards and when none was named.
    virtual CString TakeCommandLinePath() = 0;

protected:
    ~ICommandLineDocument() = default;
};
