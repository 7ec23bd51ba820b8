#pragma once
// The running program driven through its menus and panes, for the tests that
// throw unusual documents and random use at it.
#include "app/RunningApp.h"
#include "document/ImageNumbers.h"
#include "document/Quorbel6Doc.h"
#include "label/LabelRows.h"
#include "resource.h"
#include "shell/MainFrame.h"
#include "view/Quorbel6View.h"

#include "support/DialogAnswers.h"
#include "support/PropertyGridDriver.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

// A scratch folder for a test's documents, removed with what it holds.
class ScratchFolder
{
public:
    explicit ScratchFolder(const char* name)
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + name + "_" + std::to_string(::GetCurrentProcessId()) + "\\";
        // A run that was stopped may have left a folder of the same name.
        Empty();
        ::CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~ScratchFolder()
    {
        Empty();
        ::RemoveDirectoryA(m_path.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string PathOf(const std::string& name) const { return m_path + name; }

private:
    void Empty() const
    {
        WIN32_FIND_DATAA found{};
        HANDLE search = ::FindFirstFileA((m_path + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                ::DeleteFileA((m_path + found.cFileName).c_str());
            while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
    }

    std::string m_path;
};

inline std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline CQuorbel6Doc* DocumentOf(CQuorbel6View& view)
{
    return dynamic_cast<CQuorbel6Doc*>(view.GetDocument());
}

inline void SendCommand(RunningApp& program, UINT id)
{
    ::SendMessageA(program.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// Keeps the folder the test program started in: the system's file dialogs
// make the chosen folder the current one.
class StartFolderKept
{
public:
    StartFolderKept() { ::GetCurrentDirectoryA(MAX_PATH, m_folder); }
    ~StartFolderKept() { ::SetCurrentDirectoryA(m_folder); }
    StartFolderKept(const StartFolderKept&) = delete;
    StartFolderKept& operator=(const StartFolderKept&) = delete;

private:
    char m_folder[MAX_PATH] = {};
};

// File > Open of a path, typed into the open-file dialog; the changes of the
// label shown are dropped first (the No of the save prompt). The texts of the
// message boxes the program showed, each answered with OK.
inline std::vector<std::string> OpenFromFileMenu(RunningApp& program, const std::string& path)
{
    if (CQuorbel6View* view = program.View(); view && DocumentOf(*view))
        DocumentOf(*view)->SetModifiedFlag(FALSE);
    StartFolderKept kept;
    DialogAnswers answers(ChooseFile(path));
    SendCommand(program, ID_FILE_OPEN);
    return answers.MessageTexts();
}

// File > Save As to a path typed into the save dialog (a file there is
// replaced: the question is answered Yes). The texts of the message boxes shown.
inline std::vector<std::string> SaveAsFromFileMenu(RunningApp& program, const std::string& path)
{
    StartFolderKept kept;
    DialogAnswers answers(ChooseFile(path));
    answers.AnswerMessagesWith(1);
    SendCommand(program, ID_FILE_SAVE_AS);
    return answers.MessageTexts();
}

inline std::string PathOfDocument(CQuorbel6View& view)
{
    CQuorbel6Doc* doc = DocumentOf(view);
    return doc ? std::string(doc->GetPathName().c_str()) : std::string();
}

// The objects of the label, by their first rows.
inline std::vector<CString> ObjectNames(const CLabelModel& label)
{
    std::vector<CString> names;
    for (int row = 0; row < label.RowCount(); row = label.NextObjectRow(row))
        names.push_back(label.Row(row).m_strObjectName);
    return names;
}

// What a label holds, as a file keeps it: its rows (without the line layouts,
// which the reader drops and the drawing makes again), its texts, the images
// its objects use and the layout.
inline std::string LabelContents(const CLabelModel& label)
{
    // A file keeps only the pictures in use, numbered from 0 in their order.
    const std::vector<int> used = UsedImageNumbers(label.Rows(), label.ImageCount());
    auto value = [&](const PropertyEntry& row) -> std::string {
        if (row.m_strKey == "Vector Data")
            return "";
        int number = 0;
        if (row.m_strKey == "Image Number" && ParseImageNumber(row.m_strValue, number)) {
            const auto at = std::find(used.begin(), used.end(), number);
            if (at != used.end())
                return "picture " + std::to_string(at - used.begin());
        }
        return row.m_strValue.c_str();
    };
    std::string out;
    for (const PropertyEntry& row : label.Rows()) {
        out += std::string(row.m_strObjectName.c_str()) + "\x1f" + row.m_strKey.c_str() + "\x1f" + value(row) + "\x1f" +
               std::to_string(row.m_bShown) + "\x1f" + row.m_strEditorKind.c_str() + "\x1f" +
               row.m_strChoices.c_str() + "\x1f" + std::to_string(row.m_nRowsAfter) + "\n";
    }
    for (const TextEntry& text : label.Texts())
        out += std::string(text.m_strName.c_str()) + "\x1f" + text.m_strItemType.c_str() + "\x1f" +
               text.m_strValue.c_str() + "\x1f" + std::to_string(text.m_nOrigin) + "\n";
    // Slots no object uses are not written.
    out += "images " + std::to_string(used.size()) + " layout " + label.Shown().layout.c_str() + "\n";
    return out;
}

// Where two label contents part: the first line that differs, both ways.
inline std::string FirstDifference(const std::string& expected, const std::string& actual)
{
    std::istringstream a(expected), b(actual);
    std::string left, right;
    for (int line = 1;; ++line) {
        const bool moreLeft = static_cast<bool>(std::getline(a, left));
        const bool moreRight = static_cast<bool>(std::getline(b, right));
        if (!moreLeft && !moreRight)
            return "the same rows; the pictures differ";
        if (!moreLeft || !moreRight || left != right) {
            for (std::string* text : {&left, &right})
                for (char& ch : *text)
                    if (ch == '\x1f')
                        ch = '|';
            return "line " + std::to_string(line) + ": expected \"" + (moreLeft ? left.substr(0, 160) : "") +
                   "\", found \"" + (moreRight ? right.substr(0, 160) : "") + "\"";
        }
    }
}


// Shows a pane through its View menu command when it is hidden.
inline void ShowPanes(RunningApp& program, CMainFrame& frame)
{
    if (!frame.IsPropertiesPaneShown())
        SendCommand(program, ID_VIEW_PROPERTIES);
    if (!frame.IsTextPaneShown())
        SendCommand(program, ID_VIEW_TEXT_EDITOR);
    program.RunQueued();
}

// Paints the view now, as a WM_PAINT from the system would.
inline void PaintNow(RunningApp& program, CQuorbel6View& view)
{
    ::RedrawWindow(view.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    program.RunQueued(500);
}
