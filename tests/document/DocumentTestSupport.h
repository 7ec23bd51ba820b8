#pragma once
// A label document with its view, without windows: the application object
// (for the program's message box), a scratch settings key and a scratch program
// folder, and a responder that answers the real message boxes and file dialogs
// as they come up.

#include "document/AppSettings.h"
#include "framework/ProgramFolder.h"
#include "app/Quorbel6App.h"
#include "framework/SettingsKey.h"
#include "document/Quorbel6Doc.h"
#include "framework/ArchiveTestUtil.h"
#include "framework/ErrorReport.h"
#include "imaging/ImageCodecs.h"
#include "imaging/ImageFile.h"
#include "resource.h"
#include "view/Quorbel6View.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// ---- files -----------------------------------------------------------------------

inline Bytes ReadFileBytes(const std::string& path)
{
    Bytes bytes;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    const DWORD size = ::GetFileSize(file, nullptr);
    bytes.resize(size);
    DWORD read = 0;
    if (size > 0)
        ::ReadFile(file, bytes.data(), size, &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    if (!bytes.empty())
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

inline bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names of the files in a folder.
inline std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

// ---- the parts of a document file, written by hand ------------------------------

inline void AppendString(Bytes& out, const std::string& text)
{
    if (text.size() < 255) {
        out.push_back(static_cast<BYTE>(text.size()));
    } else if (text.size() < 0xFFFE) {
        out.push_back(0xFF);
        AppendWord(out, static_cast<unsigned>(text.size()));
    } else {
        out.push_back(0xFF);
        AppendWord(out, 0xFFFF);
        AppendDword(out, static_cast<unsigned long>(text.size()));
    }
    AppendText(out, text);
}

inline void AppendInt(Bytes& out, int value)
{
    AppendDword(out, static_cast<unsigned long>(value));
}

// The fields of a property record in their stored order.
inline void AppendPropertyFields(Bytes& out, const std::string& name, const std::string& key, const std::string& value,
                                 int shown, const std::string& kind, const std::string& choices, int rowsAfter)
{
    AppendString(out, key);
    AppendString(out, choices);
    AppendString(out, kind);
    AppendString(out, value);
    AppendInt(out, rowsAfter);
    AppendString(out, name);
    AppendInt(out, shown);
}

inline void AppendTextFields(Bytes& out, int origin, const std::string& name, const std::string& type,
                             const std::string& value)
{
    AppendInt(out, origin);
    AppendString(out, name);
    AppendString(out, type);
    AppendString(out, value);
}

inline void AppendVariables(Bytes& out, const std::string& page, int zoom, const std::string& surface, int x, int y,
                            int imageCount, const std::string& layout, bool withStackingCounter, int stacking)
{
    AppendString(out, page);
    AppendInt(out, zoom);
    AppendString(out, surface);
    AppendInt(out, x);
    AppendInt(out, y);
    AppendInt(out, imageCount);
    AppendString(out, layout);
    if (withStackingCounter)
        AppendInt(out, stacking);
}

inline void AppendImageBlock(Bytes& out, int format, const Bytes& data)
{
    AppendText(out, std::to_string(format) + "\n" + std::to_string(data.size()) + "\n");
    out.insert(out.end(), data.begin(), data.end());
}

// ---- answering the program's message box and the file dialogs ------------------

// Runs `answer` for each dialog of this thread right after its WM_INITDIALOG.
// Answers are posted, so they run inside the dialog's own modal loop.
class DialogResponder
{
public:
    using Answer = std::function<void(HWND dialog)>;

    explicit DialogResponder(Answer answer) : m_answer(std::move(answer))
    {
        s_current = this;
        m_hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &DialogResponder::Hook, nullptr, ::GetCurrentThreadId());
    }
    ~DialogResponder()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    DialogResponder(const DialogResponder&) = delete;
    DialogResponder& operator=(const DialogResponder&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && s_current && message->message == WM_INITDIALOG)
            s_current->m_answer(message->hwnd);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline DialogResponder* s_current = nullptr;
    Answer m_answer;
    HHOOK m_hook = nullptr;
};

// Answers every program message box with one button, noting each text shown,
// and leaves other dialogs (the file dialogs, New Document) to `otherDialog`;
// without one they are cancelled.
class MessageBoxes
{
public:
    explicit MessageBoxes(int button = 1, std::function<void(HWND)> otherDialog = {})
        : m_button(button),
          m_otherDialog(std::move(otherDialog)),
          m_responder([this](HWND dialog) { Answer(dialog); })
    {
    }

    void SetButton(int button) { m_button = button; }
    const std::vector<std::string>& Texts() const { return m_texts; }
    void Clear() { m_texts.clear(); }
    int OtherDialogs() const { return m_otherDialogs; }

private:
    void Answer(HWND dialog)
    {
        if (::GetDlgItem(dialog, IDC_MESSAGE_TEXT)) {
            // The box has taken the text out of the application's request by now.
            char text[2048] = {};
            ::GetWindowTextA(::GetDlgItem(dialog, IDC_MESSAGE_TEXT), text, sizeof text);
            m_texts.push_back(text);
            ::PostMessageA(::GetDlgItem(dialog, IDC_MESSAGE_BUTTON1 + m_button - 1), BM_CLICK, 0, 0);
            return;
        }
        // Only top-level dialogs: a file dialog may hold child dialogs.
        if (!(::GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD)) {
            ++m_otherDialogs;
            if (m_otherDialog)
                m_otherDialog(dialog);
            else
                ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }

    int m_button;
    std::function<void(HWND)> m_otherDialog;
    std::vector<std::string> m_texts;
    int m_otherDialogs = 0;
    DialogResponder m_responder;
};

// Types a file name into a file dialog and presses its OK button.
inline std::function<void(HWND)> ChooseFile(const std::string& path)
{
    return [path](HWND dialog) {
        constexpr int kFileNameCombo = 0x47c;  // cmb13 of the Explorer-style dialog
        constexpr int kFileNameEdit = 0x480;   // edt1
        if (HWND combo = ::GetDlgItem(dialog, kFileNameCombo))
            ::SetWindowTextA(combo, path.c_str());
        if (HWND edit = ::GetDlgItem(dialog, kFileNameEdit))
            ::SetWindowTextA(edit, path.c_str());
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
}

// ---- codecs -----------------------------------------------------------------------

// Puts a stand-in codec in place of a format's for the life of the object.
class ScopedImageCodec
{
public:
    ScopedImageCodec(int format, ImageCodec codec) : m_format(format), m_saved(SetImageCodec(format, codec)) {}
    ~ScopedImageCodec() { SetImageCodec(m_format, m_saved); }
    ScopedImageCodec(const ScopedImageCodec&) = delete;
    ScopedImageCodec& operator=(const ScopedImageCodec&) = delete;

    void Replace(ImageCodec codec) { SetImageCodec(m_format, codec); }

private:
    int m_format;
    ImageCodec m_saved;
};

// ---- the document and its view ----------------------------------------------------

class LabelDocumentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static int serial = 0;
        const std::string suffix = std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial);
        m_keyPath = "Software\\SleevoryTests\\Document_" + suffix;
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_keyPath.c_str());
        HKEY key = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, m_keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        ::RegCloseKey(key);
        SetSettingsKeyLocation(HKEY_CURRENT_USER, m_keyPath.c_str());

        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "SleevoryDocTest_" + suffix + "\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        SetProgramFolder(m_folder.c_str());

        m_doc.m_bAutoDelete = false;
        m_view.m_bAutoDelete = false;
        m_doc.AddView(&m_view);
        m_view.AttachAppSettings(&m_settings);
        m_view.LoadLabelTemplates();
        m_view.m_bLabelPaperChosen = 1;
    }

    void TearDown() override
    {
        m_doc.RemoveView(&m_view);
        SetSettingsKeyLocation(nullptr, "");
        SetProgramFolder("");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_keyPath.c_str());
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SleevoryTests");
        for (const std::string& name : FilesIn(m_folder))
            ::DeleteFileA((m_folder + name).c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }

    std::optional<DWORD> GetNumberSetting(const char* name) const
    {
        DWORD value = 0, size = sizeof value;
        if (::RegGetValueA(HKEY_CURRENT_USER, m_keyPath.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        return value;
    }

    std::string PathOf(const std::string& name) const { return m_folder + name; }

    // A new empty layout of "Single" or "Double", unmodified and without a path.
    void NewLayout(const char* layout)
    {
        m_view.Model().Shown().layout = layout;
        m_doc.SetTitle("Untitled.slv");
        m_doc.SetupNewLayout();
    }

    // Opens a file as the recent-file list does; the messages it showed.
    std::vector<std::string> Open(const std::string& path)
    {
        MessageBoxes boxes;
        m_doc.OpenDocumentPath(path.c_str());
        return boxes.Texts();
    }

    // Writes the document to a file of that name and returns its bytes.
    Bytes SaveAs(const std::string& name)
    {
        m_doc.SetPathName(PathOf(name).c_str(), FALSE);
        MessageBoxes boxes;
        EXPECT_TRUE(m_doc.SaveDocumentFile());
        EXPECT_TRUE(boxes.Texts().empty());
        return ReadFileBytes(PathOf(name));
    }

    std::vector<int> m_errors;
    ScopedErrorReportHook m_hook{[this](const ErrorReport& report) { m_errors.push_back(report.number); }};
    CQuorbel6App m_app;
    CAppSettings m_settings;
    std::string m_keyPath;
    std::string m_folder;
    CQuorbel6Doc m_doc;
    CQuorbel6View m_view;
};
