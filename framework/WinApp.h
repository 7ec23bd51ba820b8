#pragma once
// CWinApp: the one application object. The program derives its own class,
// constructs one object of it at file scope, and its WinMain hands control to
// the framework:
//
//     CMyApp theApp;
//     int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
//     {
//         return FrameworkWinMain(instance, commandLine, showCommand);
//     }
//
// FrameworkWinMain runs InitInstance; when it succeeds, Run (the message loop
// with idle work) until the main window goes; then ExitInstance (which saves
// the recent-file list) and the framework's clean-up.
//
// Tests may construct an application object of their own for a while: the
// accessor returns the first one alive, and it goes away with the object.

#include "framework/CmdTarget.h"
#include "framework/String.h"

#include <windows.h>

#include <memory>
#include <vector>

class CCmdUI;
class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CRecentFileList;
class CWnd;

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
    DECLARE_COMMAND_MAP()

public:
    // A null name is replaced at start by the title string resource
    // (FWIDS_APP_TITLE) or else the program file's name.
    explicit CWinApp(LPCSTR appName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance;
    CString m_strCmdLine;          // without the program's own name
    int m_nCmdShow = SW_SHOWNORMAL;
    CString m_strAppName;          // message box captions, the profile's subkey
    CString m_strRegistryKey;      // empty until SetRegistryKey
    CWnd* m_pMainWnd = nullptr;    // the main frame; its end ends Run
    DWORD m_nThreadID;             // the user-interface thread

    // ---- overridables --------------------------------------------------------
    // FALSE ends the program before the message loop.
    virtual BOOL InitInstance();
    // Saves the standard profile settings; the result is the program's exit code.
    virtual int ExitInstance();
    virtual int Run();
    // Called while the message queue is empty, with a count that starts at 0
    // after every input message and rises by one per call; returns TRUE while
    // more idle work is wanted. Count 0 updates the command UI of the main
    // frame's bars; count 1 frees temporary window objects.
    virtual BOOL OnIdle(LONG count);
    // Offers a message to the windows from its target up to the main frame
    // (accelerators, dialog keys). TRUE eats it.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Opens a document (the recent-file list and File Open come here). The
    // document, or null on failure.
    virtual CDocument* OpenDocumentFile(LPCSTR path);
    virtual void AddToRecentFileList(LPCSTR path);

    // Gets one message and dispatches it; false on WM_QUIT.
    BOOL PumpMessage();
    const MSG& GetCurrentMessage() const { return m_msgCur; }

    // ---- documents -----------------------------------------------------------
    void AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate);
    const std::vector<std::unique_ptr<CDocTemplate>>& GetDocTemplates() const { return m_templates; }
    // Asks every modified document; FALSE when the user cancelled.
    BOOL SaveAllModified();
    // Closes every document without asking.
    void CloseAllDocuments(BOOL endSession);

    // The framework's own commands; the program maps New and Open to them if it wants.
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    void OnFilePrintSetup();
    // A recent-file command: opens its entry; an entry that fails to open is
    // dropped from the list. FALSE when the id names no entry.
    BOOL OnOpenRecentFile(UINT id);

    // ---- command line ----------------------------------------------------------
    void ParseCommandLine(CCommandLineInfo& info) const;
    // FileNew runs OnFileNew; FileOpen opens the file; FALSE when that failed
    // (for FileNew: when no main window exists afterwards).
    BOOL ProcessShellCommand(CCommandLineInfo& info);

    // ---- profile: HKEY_CURRENT_USER\Software\<key>\<application name> ------------
    void SetRegistryKey(LPCSTR key);
    // "Software\<key>\<application name>", or empty before SetRegistryKey.
    CString GetProfileKeyPath() const;
    CString GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue = nullptr) const;
    // A null entry deletes the whole section; a null value deletes the entry.
    BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);
    UINT GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue) const;
    BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int value);
    // FALSE (and no data) when the entry is missing.
    BOOL GetProfileBinary(LPCSTR section, LPCSTR entry, std::vector<BYTE>& data) const;
    BOOL WriteProfileBinary(LPCSTR section, LPCSTR entry, const void* data, UINT size);
    // Reads the recent-file list ("Recent File List", "File1".."Filen").
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);
    void SaveStdProfileSettings();
    // Null until LoadStdProfileSettings asked for a list.
    CRecentFileList* GetRecentFileList() const { return m_recentFiles.get(); }

    // ---- printer chosen in Print Setup -----------------------------------------
    HGLOBAL GetDevMode() const { return m_hDevMode; }
    HGLOBAL GetDevNames() const { return m_hDevNames; }
    // Takes ownership of the handles (either may be null).
    void SelectPrinter(HGLOBAL devNames, HGLOBAL devMode);

    // Used by FrameworkWinMain.
    void StartUp(HINSTANCE instance, LPCSTR commandLine, int showCommand);
    void ShutDown();

protected:
    void OnUpdateRecentFileMenu(CCmdUI* ui);

private:
    bool IsIdleMessage(const MSG& msg);

    MSG m_msgCur{};
    POINT m_lastMousePoint{-1, -1};
    UINT m_lastMouseMessage = 0;
    int m_exitCode = 0;
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
};

// The application object, or null when none exists.
CWinApp* GetApp();
// The application's main window, or null.
CWnd* GetAppMainWnd();
// The application's name as message boxes show it ("" without an application).
LPCSTR GetAppTitle();
// A message box owned by the active window (or the main window), captioned
// with the application's title. Without an icon in `type`, MB_OK and
// MB_OKCANCEL boxes get the exclamation icon, Yes/No boxes the question mark.
int AppMessageBox(LPCSTR text, UINT type = MB_OK);

// The framework's main function: see the top of this file.
int FrameworkWinMain(HINSTANCE instance, LPSTR commandLine, int showCommand);

// Window messages the framework sends to its own windows (registered, so they
// never collide with a control's messages).
UINT FrameworkInitialUpdateMessage();   // views run OnInitialUpdate
UINT FrameworkIdleUpdateMessage();      // bars update their command UI (wParam: disable if no handler)
