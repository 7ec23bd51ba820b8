// Writes the files a fresh installation keeps beside the program into a
// folder: "labels.ini" with the built-in label papers, and the default
// templates "Default1.slv" and "Default2.slv", each made by the program's own
// start-up as on its first need. scripts/package.sh runs it under Wine.
//   MakeDefaultFiles.exe FOLDER   (a Windows path)
#include "app/Quorbel6App.h"
#include "document/DocumentNames.h"
#include "framework/ProgramFolder.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsKey.h"
#include "printing/LabelTemplateFile.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr char kScratchSettings[] = "Software\\SleevoryDefaultFiles";

// One start of the program that makes the default template of a preset
// (1 single CD, 2 double CD) and ends at once.
bool StartOnceWithPreset(DWORD preset)
{
    {
        CRegistryKey key;
        if (!CreateSettingsKey(key))
            return false;
        // Not a first start: no label-paper question and no help.
        key.WriteNumber("LabelUpdate", 0);
        key.WriteNumber("HelpScreen", 0);
        key.WriteNumber("Template", preset);
    }
    CQuorbel6App app;
    app.StartUp(::GetModuleHandleA(nullptr), "", SW_HIDE);
    const bool started = app.InitInstance() != FALSE;
    if (app.m_pMainWnd && app.m_pMainWnd->m_hWnd)
        ::DestroyWindow(app.m_pMainWnd->m_hWnd);
    app.ExitInstance();
    app.ShutDown();
    return started;
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeDefaultFiles.exe FOLDER\\\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    SetProgramFolder(folder.c_str());
    SetSettingsKeyLocation(HKEY_CURRENT_USER, kScratchSettings, HKEY_CURRENT_USER);

    const LabelTemplateFile labels(CString(folder.c_str()) + "labels.ini");
    bool made = labels.Write(LabelTemplateList::BuiltIns()) == LabelTemplateFile::WriteStatus::Written;
    made = StartOnceWithPreset(1) && made;
    made = StartOnceWithPreset(2) && made;

    SetSettingsKeyLocation(nullptr, "");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratchSettings);
    for (const char* name : {"labels.ini", kSingleTemplateName, kDoubleTemplateName}) {
        if (!Exists(folder + name)) {
            std::fprintf(stderr, "%s was not made\n", name);
            made = false;
        }
    }
    return made ? 0 : 1;
}
