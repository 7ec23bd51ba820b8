#pragma once
// The program's help: the compiled help file "Sleevory.chm" beside the
// program, shown by the system's help viewer (hhctrl.ocx, loaded when first
// needed, so the program starts and runs where it is missing) at its
// contents or at a topic of its context map.
//
//     ShowProgramHelp(dialog.m_hWnd, kHelpAlbumInformation);  // from anywhere
//
// A missing file or viewer is said once per request in the program's own
// message box; nothing else happens and the program goes on.

#include "framework/String.h"
#include "framework/UserHandles.h"

#include <windows.h>

#include <memory>

// Topics the program opens by number: the help file's context map.
enum HelpContext : DWORD {
    kHelpContents = 0,  // not a topic: the table of contents
    kHelpGettingStarted = 1,
    kHelpAlbumInformation = 17,
};

constexpr char kHelpFileName[] = "Sleevory.chm";

// A viewer of compiled help files.
class IHelpEngine {
public:
    virtual ~IHelpEngine() = default;
    // Whether the viewer can be used at all.
    virtual bool IsAvailable() = 0;
    // Opens `file` (a full path) at its contents or at a context number;
    // false when the viewer refused.
    virtual bool Show(HWND owner, const CString& file, DWORD context) = 0;
};

// The system's viewer of compiled HTML help, hhctrl.ocx.
class CHtmlHelpEngine : public IHelpEngine {
public:
    CHtmlHelpEngine() = default;
    // Closes the help windows it opened before the library goes.
    ~CHtmlHelpEngine() override;
    CHtmlHelpEngine(const CHtmlHelpEngine&) = delete;
    CHtmlHelpEngine& operator=(const CHtmlHelpEngine&) = delete;

    bool IsAvailable() override;
    bool Show(HWND owner, const CString& file, DWORD context) override;

private:
    using HtmlHelpCall = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    bool Load();

    OwnedModule m_library;
    HtmlHelpCall m_htmlHelp = nullptr;
    bool m_bTried = false;
};

// The application's help call, which windows below the application reach
// through ShowProgramHelp.
class IProgramHelp {
public:
    // Opens the help at a context number, or at its contents (kHelpContents).
    virtual void ShowHelp(HWND owner, DWORD context) = 0;

protected:
    ~IProgramHelp() = default;
};

// Through the running application; nothing happens without one that helps.
void ShowProgramHelp(HWND owner, DWORD context);

// A dialog's PreTranslateMessage: when the message is the user asking for
// help (F1 released, or a click on the help button of the caption), opens the
// help at `context` and answers true: the message is used up.
bool AnswerHelpRequest(const MSG& msg, HWND owner, DWORD context);

class IUserMessages;

// The help file beside the program and the viewer that shows it; the
// application holds one.
class CProgramHelp : public IProgramHelp {
public:
    explicit CProgramHelp(IUserMessages& messages);
    ~CProgramHelp();
    CProgramHelp(const CProgramHelp&) = delete;
    CProgramHelp& operator=(const CProgramHelp&) = delete;

    // Another viewer (tests record the calls).
    void SetEngine(std::unique_ptr<IHelpEngine> engine);
    // The full path of the help file.
    static CString HelpFile();

    void ShowHelp(HWND owner, DWORD context) override;

private:
    IUserMessages& m_messages;
    std::unique_ptr<IHelpEngine> m_engine;
};
