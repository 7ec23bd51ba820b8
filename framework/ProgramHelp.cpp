#include "framework/ProgramHelp.h"

#include "framework/ProgramFolder.h"
#include "framework/UserMessages.h"
#include "framework/WinApp.h"

#include <htmlhelp.h>

// ---- the system's viewer -------------------------------------------------------------

CHtmlHelpEngine::~CHtmlHelpEngine()
{
    // Its windows run on the library's code: they go first.
    if (m_htmlHelp)
        m_htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

bool CHtmlHelpEngine::Load()
{
    if (!m_bTried) {
        m_bTried = true;
        m_library.Reset(::LoadLibraryA("hhctrl.ocx"));
        if (m_library.IsValid())
            m_htmlHelp = reinterpret_cast<HtmlHelpCall>(
                reinterpret_cast<void*>(::GetProcAddress(m_library, "HtmlHelpA")));
    }
    return m_htmlHelp != nullptr;
}

bool CHtmlHelpEngine::IsAvailable()
{
    return Load();
}

bool CHtmlHelpEngine::Show(HWND owner, const CString& file, DWORD context)
{
    if (!Load())
        return false;
    const HWND window = context == kHelpContents ? m_htmlHelp(owner, file, HH_DISPLAY_TOC, 0)
                                                 : m_htmlHelp(owner, file, HH_HELP_CONTEXT, context);
    return window != nullptr;
}

// ---- the application's help call -----------------------------------------------------

void ShowProgramHelp(HWND owner, DWORD context)
{
    if (auto* help = dynamic_cast<IProgramHelp*>(GetApp()))
        help->ShowHelp(owner, context);
}

bool AnswerHelpRequest(const MSG& msg, HWND owner, DWORD context)
{
    const bool asked = (msg.message == WM_KEYUP && msg.wParam == VK_F1) ||
                       (msg.message == WM_NCLBUTTONDOWN && msg.wParam == HTHELP);
    if (asked)
        ShowProgramHelp(owner, context);
    return asked;
}

CProgramHelp::CProgramHelp(IUserMessages& messages)
    : m_messages(messages), m_engine(std::make_unique<CHtmlHelpEngine>())
{
}

CProgramHelp::~CProgramHelp() = default;

void CProgramHelp::SetEngine(std::unique_ptr<IHelpEngine> engine)
{
    m_engine = std::move(engine);
}

CString CProgramHelp::HelpFile()
{
    return ProgramFolder() + kHelpFileName;
}

void CProgramHelp::ShowHelp(HWND owner, DWORD context)
{
    const CString file = HelpFile();
    const DWORD attributes = ::GetFileAttributesA(file);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        m_messages.ShowUserMessage("The help file " + CString(kHelpFileName) + " was not found in the folder " +
                                       ProgramFolder() +
                                       "\r\nIt belongs beside Sleevory.exe: unpack the program's package there again.",
                                   IUserMessages::kExclamation, "OK`");
        return;
    }
    if (!m_engine || !m_engine->IsAvailable()) {
        m_messages.ShowUserMessage("The help cannot be shown: the help viewer of Windows (hhctrl.ocx) is missing "
                                   "on this computer.",
                                   IUserMessages::kExclamation, "OK`");
        return;
    }
    // A topic the viewer cannot open is reported by the viewer itself.
    m_engine->Show(owner, file, context);
}
