#pragma once
// Where the tests' fixture files lie (tests/data/), as the programs under Wine
// name it: drive Z: is the host's root. The folder comes from the build, not
// from __FILE__, which a compiler cache may have made relative.

#include <string>

inline std::string TestDataPath(const std::string& relative)
{
    return std::string("Z:") + SLEEVORY_TEST_DATA_DIR + "/" + relative;
}
