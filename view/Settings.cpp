#include "view/Quorbel6View.h"

#include "framework/Conversions.h"
#include "framework/ErrorReport.h"
#include "framework/ProgramFolder.h"
#include "framework/SettingsKey.h"
#include "resources/resource.h"
#include "shell/GridSizeDlg.h"
#include "shell/UnitsDlg.h"
#include "view/ImageFilters.h"

#include <algorithm>
#include <stdexcept>

namespace
{
// Each reading rule of the settings table; a value that is missing or not of
// its kind counts as missing.

// 1 when present and not 0, else 0.
BYTE OnWhenNotZero(const CSettingsReader& key, const char* name)
{
    DWORD value = 0;
    return key.ReadNumber(name, value) && value != 0 ? 1 : 0;
}

// 0 only when present and 0, else 1.
BYTE OffOnlyWhenZero(const CSettingsReader& key, const char* name)
{
    DWORD value = 0;
    return key.ReadNumber(name, value) && value == 0 ? 0 : 1;
}

// 1 when missing or exactly 1, else 0.
BYTE OnWhenMissingOrOne(const CSettingsReader& key, const char* name)
{
    DWORD value = 0;
    return !key.ReadNumber(name, value) || value == 1 ? 1 : 0;
}

int NumberOr(const CSettingsReader& key, const char* name, int fallback)
{
    DWORD value = 0;
    return key.ReadNumber(name, value) ? static_cast<int>(value) : fallback;
}

CString StringOr(const CSettingsReader& key, const char* name, const CString& fallback)
{
    CString value;
    return key.ReadString(name, value) ? value : fallback;
}

// "a,b" -> a and b as decimal numbers, each clamped to [low, high]. A text
// without a comma gives both the one number; a part without digits reads as 0.
void ReadNumberPair(const CString& text, int low, int high, int& first, int& second)
{
    const int comma = text.Find(',');
    const int a = ParseLeadingInt(comma < 0 ? text : text.Left(comma));
    const int b = comma < 0 ? a : ParseLeadingInt(text.Mid(comma + 1));
    first = std::clamp(a, low, high);
    second = std::clamp(b, low, high);
}

// Field `number` (1 to 9) of a backtick-terminated record: the text after the
// previous backtick up to the next. A field missing from a short record is
// empty; an unterminated last field runs to the end of the text.
CString RecordField(const CString& record, int number)
{
    int start = 0;
    for (int i = 1; i < number; ++i)
    {
        const int tick = record.Find('`', start);
        if (tick < 0)
            return CString();
        start = tick + 1;
    }
    const int end = record.Find('`', start);
    return end < 0 ? record.Mid(start) : record.Mid(start, end - start);
}

CString DefaultFreedbOptions()
{
    CString record;
    record.Format("%s`80`%s`Random freedb server`0`````", kDefaultCddbHost, kDefaultCddbPath);
    return record;
}
}  // namespace

CAppSettings& CQuorbel6View::AppSettings()
{
    if (m_pAppSettings == nullptr)
        throw std::logic_error("the application's settings are not attached to the view");
    return *m_pAppSettings;
}

void CQuorbel6View::LoadSettings()
{
    Guarded(112, ErrorSink::Window(this), [&] {
        CAppSettings& app = AppSettings();
        LoadLabelTemplates();

        // Made where this user may write, so that the settings written later
        // stick: the machine's key, else (not an administrator) the user's.
        {
            CRegistryKey created;
            CreateSettingsKey(created);
        }
        CSettingsReader key;

        app.m_bPrintFront = OnWhenNotZero(key, "PrintFront");
        app.m_bPrintBack = OnWhenNotZero(key, "PrintBack");
        app.m_bPrintDisc1 = OffOnlyWhenZero(key, "PrintDisc1");
        app.m_bPrintDisc2 = OffOnlyWhenZero(key, "PrintDisc2");
        m_bLabelPaperChosen = key.ValueExists("LabelUpdate") ? 1 : 0;
        // Anything but millimetres is shown in inches.
        m_strUnits = StringOr(key, "Units", "Inches") == "Millimeters" ? "Millimeters" : "Inches";
        app.m_bHelpDragDrop = key.ValueExists("HelpDragDrop") ? 1 : 0;
        m_bHelpScreen = key.ValueExists("HelpScreen") ? 0 : 1;
        m_bShowGuides = OffOnlyWhenZero(key, "Guides");
        m_bShowDiscGuides = m_bShowGuides;
        m_bSnapToGrid = OnWhenNotZero(key, "SnapToGrid");
        CheckMainMenuItem(ID_LAYOUT_SNAP_TO_GRID, m_bSnapToGrid);
        m_bShowGrid = OnWhenNotZero(key, "ShowGrid");
        CheckMainMenuItem(ID_LAYOUT_SHOW_GRID, m_bShowGrid);
        // A spacing of 0 would stall every snap and grid loop: never below the smallest.
        ReadNumberPair(StringOr(key, "GridSize", "100,100"), kMinGridSpacing, kMaxGridSpacing,
                       m_nGridSpacingX, m_nGridSpacingY);
        ReadNumberPair(StringOr(key, "PrintOffset", "0,0"), -kMaxPrintOffset, kMaxPrintOffset,
                       m_nPrintOffsetX, m_nPrintOffsetY);
        m_nStartPreset = NumberOr(key, "Template", 1);
        app.m_bFreedb = OnWhenMissingOrOne(key, "bFreedb");
        app.m_bCDText = OnWhenMissingOrOne(key, "bCDText");
        app.m_bCDPlayer = OnWhenMissingOrOne(key, "bCDPlayer");
        app.m_bMp3 = OnWhenMissingOrOne(key, "bMp3");
        app.m_bMp3Tag = OnWhenMissingOrOne(key, "bMp3Tag");
        app.m_strCDPlayerPath = StringOr(key, "CDPlayerPath", "");
        app.m_strFreedbOptions = StringOr(key, "FreedbOptions", "");
        app.m_nBrowseSubfolder = NumberOr(key, "BrowseSubfolder", 1);
        app.m_strBrowseDefaultPath = StringOr(key, "BrowseDefaultPath", ProgramFolder() + "Backgrounds");
        app.m_strBrowseFolder = app.m_strBrowseDefaultPath;
        app.m_nBrowseFilter = NumberOr(key, "BrowseFilter", 0);
        if (app.m_nBrowseFilter < 0 || app.m_nBrowseFilter >= kImageFilterCount)
            app.m_nBrowseFilter = 0;
        app.m_bHelpImage = key.ValueExists("bHelpImage") ? 0 : 1;
        key.Close();

        if (app.m_strFreedbOptions.IsEmpty())
        {
            app.m_strFreedbOptions = DefaultFreedbOptions();
            WriteSettingValue("String", "FreedbOptions", app.m_strFreedbOptions);
        }
        ApplyFreedbOptions(app);
    });
}

void CQuorbel6View::ApplyFreedbOptions(CAppSettings& settings)
{
    const CString& record = settings.m_strFreedbOptions;
    CCddbSite site;
    site.m_strHost = RecordField(record, 1);
    site.m_nPort = ParseLeadingInt(RecordField(record, 2));
    if (site.m_nPort <= 0 || site.m_nPort > 65535)
        site.m_nPort = 80;
    site.m_strPath = RecordField(record, 3);
    site.m_strDescription = RecordField(record, 4);
    site.m_bProxy = ParseLeadingInt(RecordField(record, 5)) != 0 ? 1 : 0;
    site.m_strProxyHost = RecordField(record, 6);
    site.m_strProxyPort = RecordField(record, 7);
    site.m_strProxyUser = RecordField(record, 8);
    site.m_strProxyPassword = RecordField(record, 9);
    settings.m_cddbSite = site;
}

BOOL CQuorbel6View::WriteSettingValue(const CString& kind, const CString& name, const CString& value)
{
    return Guarded(121, ErrorSink::Window(this), FALSE,
                   [&]() -> BOOL { return StoreSettingValue(kind, name, value) ? TRUE : FALSE; });
}

void CQuorbel6View::OnSnapToGrid()
{
    Guarded(122, ErrorSink::Window(this), [&] {
        m_bSnapToGrid = m_bSnapToGrid ? 0 : 1;
        WriteSettingValue("Number", "SnapToGrid", m_bSnapToGrid ? "1" : "0");
        CheckMainMenuItem(ID_LAYOUT_SNAP_TO_GRID, m_bSnapToGrid);
    });
}

void CQuorbel6View::OnShowGrid()
{
    Guarded(123, ErrorSink::Window(this), [&] {
        m_bShowGrid = m_bShowGrid ? 0 : 1;
        WriteSettingValue("Number", "ShowGrid", m_bShowGrid ? "1" : "0");
        CheckMainMenuItem(ID_LAYOUT_SHOW_GRID, m_bShowGrid);
        RepaintNow();
    });
}

void CQuorbel6View::OnGridSize()
{
    Guarded(120, ErrorSink::Window(this), [&] {
        CGridSizeDlg dialog(m_nGridSpacingX, m_nGridSpacingY, m_strUnits == "Millimeters", this);
        if (dialog.DoModal() != IDOK)
            return;
        if (dialog.HasChanged()) {
            m_nGridSpacingX = dialog.GetSpacingX();
            m_nGridSpacingY = dialog.GetSpacingY();
            CString value;
            value.Format("%d,%d", m_nGridSpacingX, m_nGridSpacingY);
            WriteSettingValue("String", "GridSize", value);
        }
        RepaintNow();
    });
}

void CQuorbel6View::OnUnits()
{
    Guarded(559, ErrorSink::Window(this), [&] {
        CUnitsDlg dialog(m_strUnits, this);
        if (dialog.DoModal() != IDOK)
            return;
        m_strUnits = dialog.GetUnits();
        WriteSettingValue("String", "Units", m_strUnits);
        // "Text Margin" and the other lengths are shown in the new unit at once.
        TellFramePanes();
    });
}

void CQuorbel6View::CheckMainMenuItem(UINT commandId, BOOL checked)
{
    if (m_hWnd == nullptr)
        return;
    const HMENU menu = ::GetMenu(::GetAncestor(m_hWnd, GA_ROOT));
    if (menu != nullptr)
        ::CheckMenuItem(menu, commandId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void CQuorbel6View::RepaintNow()
{
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
