#pragma once
// A help viewer that notes what the program asked it to show instead of
// showing it: the tests check the call, not the viewer's rendering.
//
//     auto calls = RecordHelpCalls(app.Help());
//     ... the user presses F1 ...
//     EXPECT_EQ(*calls, (HelpCalls{{CProgramHelp::HelpFile().c_str(), kHelpAlbumInformation}}));

#include "framework/ProgramHelp.h"

#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

struct HelpCall {
    std::string file;
    DWORD context = 0;
    bool operator==(const HelpCall&) const = default;
};
using HelpCalls = std::vector<HelpCall>;

inline std::ostream& operator<<(std::ostream& out, const HelpCall& call)
{
    return out << "{" << call.file << ", " << call.context << "}";
}

class RecordingHelpEngine : public IHelpEngine {
public:
    RecordingHelpEngine(std::shared_ptr<HelpCalls> calls, bool available) : m_calls(std::move(calls)), m_available(available) {}
    bool IsAvailable() override { return m_available; }
    bool Show(HWND, const CString& file, DWORD context) override
    {
        m_calls->push_back({file.c_str(), context});
        return true;
    }

private:
    std::shared_ptr<HelpCalls> m_calls;
    bool m_available;
};

// Puts a recording viewer into the program's help; `available` false plays a
// computer without the help viewer.
inline std::shared_ptr<HelpCalls> RecordHelpCalls(CProgramHelp& help, bool available = true)
{
    auto calls = std::make_shared<HelpCalls>();
    help.SetEngine(std::make_unique<RecordingHelpEngine>(calls, available));
    return calls;
}

// The call the program makes for a topic of its own help file.
inline HelpCall HelpFileAt(DWORD context)
{
    return {CProgramHelp::HelpFile().c_str(), context};
}
