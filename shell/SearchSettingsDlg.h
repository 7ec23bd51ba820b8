#pragma once
// CSearchSettingsDlg: the album search's settings: the album-database server
// (from a list the database gives), an HTTP proxy with user name and
// password, the CD player's file and whether MP3 names come from tags. OK
// stores them in "FreedbOptions" and the other settings; the password goes
// protected into the user's own settings instead.

#include "album/ServerListFetch.h"
#include "document/AppSettings.h"
#include "framework/ComboBox.h"
#include "framework/Gdi.h"
#include "shell/DialogWindowIcon.h"
#include "uikit/BevelButton.h"
#include "uikit/CaptionFrameButton.h"
#include "uikit/DisplayEdit.h"
#include "uikit/NewDialog.h"
#include "uikit/PictureStatic.h"
#include "uikit/TransparentButton.h"

#include <array>
#include <vector>

// The entry of the server list that names `server` (by its host, port and
// path, else by its host alone); -1 when none does.
int ListEntryOfServer(const std::vector<CCddbSite>& list, const CCddbSite& server);

class CSearchSettingsDlg : public CNewDialog
{
    DECLARE_DYNAMIC(CSearchSettingsDlg)
    DECLARE_COMMAND_MAP()

public:
    static constexpr UINT_PTR kServerListTimer = 1093;

    CSearchSettingsDlg(CWnd* parent, CAppSettings& settings);
    ~CSearchSettingsDlg() override;

    // The server asked for the list (tests: the server on 127.0.0.1).
    void SetListServer(const CString& host, int port)
    {
        m_strListHost = host;
        m_nListPort = port;
    }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Whether OK switched the CD player source off (its file is missing).
    bool SwitchedCdPlayerOff() const { return m_bCdPlayerSwitchedOff; }

protected:
    void OnOK() override;
    void OnTimer(UINT_PTR id) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

    void OnUseProxy();
    void OnBrowseCdPlayer();
    void OnGetServerList();
    void OnUseId3Tag();
    void OnFieldChanged();

private:
    void FillServers();
    CString ServerLine(const CCddbSite& site) const;

    CAppSettings& m_settings;
    CString m_strListHost;
    int m_nListPort = 80;
    CServerListFetch m_fetch;
    bool m_bFetching = false;
    bool m_bCdPlayerSwitchedOff = false;
    CString m_strDots;

    // The controls drawn on the panel background: the three group frames
    // (captions in the bold font), the field labels, the two checks and the
    // proxy fields, which turn panel grey while the proxy is off.
    std::array<CCaptionFrameButton, 3> m_frames;
    std::array<CPictureStatic, 6> m_labels;
    CTransparentButton m_useProxy;
    CTransparentButton m_useId3;
    std::array<CDisplayEdit, 4> m_proxyFields;
    CComboBox m_servers;
    CBevelButton m_ok;
    CBevelButton m_cancel;
    CBevelButton m_getServers;
    CBevelButton m_browse;
    CFont m_boldFont;
    CDialogWindowIcon m_windowIcon;
};
