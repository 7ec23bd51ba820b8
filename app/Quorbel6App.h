#pragma once

#include "document/AppSettings.h"
#include "document/CommandLineDocument.h"
#include "framework/UserMessages.h"
#include "framework/Gdi.h"
#include "framework/ImageList.h"
#include "framework/ProgramHelp.h"
#include "framework/String.h"
#include "framework/WinApp.h"
#include "shell/MessageBoxRequest.h"
#include "shell/TextPaneHost.h"
#include "uikit/CellEdit.h"
#include "uikit/PanelBackground.h"
#include "uikit/SplashWnd.h"
#include "uikit/UiResources.h"

#include <windows.h>

class CQuorbel6View;

// The one application object: the user-interface fonts, the menu images, the
// parameters of the program's own message box, the command-line document, and
// the settings several windows share.
class CQuorbel6App : public CWinApp,
                     public CUiResources,
                     public CPanelTextureHolder,
                     public CCellTextStore,
                     public CMessageBoxRequest,
                     public ICommandLineDocument,
                     public IAppSettingsOwner,
                     public ISplashOwner,
                     public IUserMessages,
                     public IProgramHelp,
                     public ITextRefreshQueue
{
    DECLARE_COMMAND_MAP()

public:
    CQuorbel6App();
    ~CQuorbel6App() override;

    BOOL InitInstance() override;
    BOOL OnIdle(LONG count) override;
    // A recent file: the label document opens it (after offering to save the
    // label shown) and stays the document whatever came of it, so the file is
    // never dropped from the list.
    CDocument* OpenDocumentFile(LPCSTR path) override;

    HFONT UiFont(bool scaled) const override;
    const CImageList& MenuImages() const override { return m_imageList; }
    bool IsWindows95() const override { return m_bWindows95 != 0; }

    HDC PanelTextureDC() const override { return m_hBackgroundDC; }
    void SetPanelTextureDC(HDC dc) override { m_hBackgroundDC = dc; }
    bool IsLabelViewActive() const override { return GetActiveView() != nullptr; }

    // Into the label view's text rows, refreshed by OnIdle.
    void WriteCellText(const CString& objectName, int fieldIndex, const CString& value) override;
    // The Text pane's edit box: the text's objects are laid out again when idle.
    void QueueTextRefresh(const CString& key) override { m_strPendingRefresh = key; }

    // The document named on the command line, once.
    CString TakeCommandLinePath() override;
    CAppSettings& SharedSettings() override { return m_settings; }
    CSplashWnd& Splash() override { return m_splash; }
    int ShowUserMessage(LPCSTR text, Icon icon, LPCSTR buttons) override;
    // The help file beside the program, at a context number or its contents.
    void ShowHelp(HWND owner, DWORD context) override { m_help.ShowHelp(owner, context); }
    CProgramHelp& Help() { return m_help; }

    // The view of the main frame, or null before the frame exists.
    CQuorbel6View* GetActiveView() const;

    // User-interface font: "Tahoma" when "Microsoft Sans Serif" exists, else "Arial".
    CString m_strFontFace;
    int m_nFontSize = 85;         // tenths of a point, scaled for the screen
    CFont m_fontUI;               // the face at 8.5 points
    CFont m_fontUIScaled;         // the face at m_nFontSize
    float m_fScreenScale = 0.0f;  // 96 / horizontal dots per inch; 0 at 96

    CString m_strPendingRefresh;  // object whose track list waits for the idle loop
    CString m_strCmdLinePath;     // the document named on the command line

    BYTE m_bPrinting = 0;         // shared by drawing, printing and the print dialog

    CSplashWnd m_splash;          // shown from the start until its own timer hides it

    CAppSettings m_settings;

    BYTE m_bWindows95 = 0;
    BYTE m_bWindows98 = 0;
    BYTE m_bUnicodeCalls = 0;     // the wide-character system calls work

    HDC m_hBackgroundDC = nullptr;  // owned by the view, which creates and deletes it
    CImageList m_imageList;         // menu and tool images, 16 x 16, magenta transparent
    CImageList m_imageList2;        // the main frame's

    CProgramHelp m_help{*this};     // says a missing help file in the program's own box

private:
    void ChooseUserInterfaceFonts();
    void NoteSystemVersion();
    void CreateMenuImageList();

    void OnAppAbout();
};

// The running application object.
CQuorbel6App& App();

// Font-enumeration callback: notes that a face exists and stops at the first.
int CALLBACK FontExistsProc(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD type, LPARAM found);
