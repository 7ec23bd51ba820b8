#pragma once
// The private print queue of the printing tests (tests/printing/private-cups.sh):
// a CUPS server of its own whose default queue writes each job as PDF into one
// file. The folder comes in SLEEVORY_PRINT_DIR (a host path); wine sees it on
// drive Z:. Each job overwrites the file, so a test clears it, prints, and waits
// until the whole new file is there.
//
// The printed files are kept in "printed\" beside the test programs, each with
// the positions its pages must show ("<name>.expect"); the host measures them
// after the run (tests/printing/measure_printed_pages.py).

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

class PrintQueue
{
public:
    // The queue's folder as wine names it, with a trailing backslash; empty
    // when the tests run without one.
    static std::string Folder()
    {
        char value[MAX_PATH] = {};
        const DWORD length = ::GetEnvironmentVariableA("SLEEVORY_PRINT_DIR", value, sizeof value);
        if (length == 0 || length >= sizeof value)
            return {};
        std::string path = std::string("Z:") + value;
        for (char& ch : path)
            if (ch == '/')
                ch = '\\';
        if (path.back() != '\\')
            path += '\\';
        return path;
    }

    // "ready" when the queue was set up; else why not.
    static std::string Status()
    {
        const std::string folder = Folder();
        if (folder.empty())
            return "SLEEVORY_PRINT_DIR is not set";
        std::ifstream file(folder + "status");
        std::string word;
        file >> word;
        return word.empty() ? "the queue was not started" : word;
    }

    static std::string OutputFile() { return Folder() + "out\\print.pdf"; }

    // Before a job: no file from the last one.
    static void Clear() { ::DeleteFileA(OutputFile().c_str()); }

    // The PDF of the job just sent, once complete; empty after the time-out.
    static std::string WaitForJob(DWORD timeoutMs = 60000)
    {
        const DWORD start = ::GetTickCount();
        std::string last;
        int stableRounds = 0;
        while (::GetTickCount() - start < timeoutMs) {
            std::string content = Read(OutputFile());
            const bool complete = content.rfind("%PDF-", 0) == 0 && content.find("%%EOF", content.size() > 64
                                                                                            ? content.size() - 64
                                                                                            : 0) != std::string::npos;
            stableRounds = complete && content == last ? stableRounds + 1 : 0;
            if (stableRounds >= 2)
                return content;
            last = std::move(content);
            ::Sleep(150);
        }
        return {};
    }

    // The folder of the kept jobs, "printed\\" beside the test program (a file
    // dialog of a test may have moved the current folder), made when missing.
    static std::string KeptFolder()
    {
        char path[MAX_PATH] = {};
        const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
        std::string folder(path, length < sizeof path ? length : 0);
        folder = folder.substr(0, folder.find_last_of('\\') + 1) + "printed\\";
        ::CreateDirectoryA(folder.c_str(), nullptr);
        return folder;
    }

    // Keeps a printed job and what its pages must show for the host's measuring.
    static void Keep(const std::string& name, const std::string& pdf, const std::string& expectations)
    {
        const std::string folder = KeptFolder();
        std::ofstream(folder + name + ".pdf", std::ios::binary) << pdf;
        std::ofstream(folder + name + ".expect", std::ios::binary) << expectations;
    }

    // The pages of a PDF, counted by their page objects.
    static int CountPages(const std::string& pdf)
    {
        int pages = 0;
        for (size_t at = pdf.find("/Type"); at != std::string::npos; at = pdf.find("/Type", at + 5)) {
            size_t name = at + 5;
            while (name < pdf.size() && (pdf[name] == ' ' || pdf[name] == '\r' || pdf[name] == '\n'))
                ++name;
            if (pdf.compare(name, 5, "/Page") == 0 && (name + 5 >= pdf.size() || pdf[name + 5] != 's'))
                ++pages;
        }
        return pages;
    }

private:
    static std::string Read(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream content;
        content << file.rdbuf();
        return content.str();
    }
};
