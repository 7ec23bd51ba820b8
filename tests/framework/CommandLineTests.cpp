// Splitting and reading the program's command line.
#include "framework/CommandLineInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CommandLine, SplitsLikeTheRuntime)
{
    struct Case {
        const char* line;
        std::vector<std::string> parameters;
    };
    const Case cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"label.slv", {"label.slv"}},
        {"  a   b\tc ", {"a", "b", "c"}},
        {"\"C:\\My Labels\\a b.slv\" /nologo", {"C:\\My Labels\\a b.slv", "/nologo"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"quoted \"\"inner\"\" text\"", {"quoted \"inner\" text"}},
        {"C:\\dir\\ x", {"C:\\dir\\", "x"}},
        {"\"C:\\dir\\\\\" x", {"C:\\dir\\", "x"}},
        {"a\\\"b", {"a\"b"}},
        {"a\\\\\\\"b", {"a\\\"b"}},
        {"\"\"", {""}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> split;
        for (const CString& parameter : SplitCommandLine(c.line))
            split.push_back(parameter.str());
        EXPECT_EQ(split, c.parameters) << "line: " << c.line;
    }
}

TEST(CommandLine, ParametersGiveTheShellCommand)
{
    struct Case {
        const char* line;
        CCommandLineInfo::ShellCommand command;
        const char* fileName;
        bool splash;
    };
    const Case cases[] = {
        {"", CCommandLineInfo::FileNew, "", true},
        {"label.slv", CCommandLineInfo::FileOpen, "label.slv", true},
        {"\"C:\\My Labels\\x.slv\"", CCommandLineInfo::FileOpen, "C:\\My Labels\\x.slv", true},
        {"/nologo", CCommandLineInfo::FileNew, "", false},
        {"-NOLOGO first.slv second.slv", CCommandLineInfo::FileOpen, "first.slv", false},
        {"/p label.slv", CCommandLineInfo::FilePrint, "label.slv", true},
        {"/dde", CCommandLineInfo::FileDDE, "", true},
        {"/Embedding", CCommandLineInfo::FileNew, "", false},
        {"/unknown label.slv", CCommandLineInfo::FileOpen, "label.slv", true},
        {"-", CCommandLineInfo::FileOpen, "-", true},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        ParseCommandLineText(c.line, info);
        EXPECT_EQ(info.m_nShellCommand, c.command) << "line: " << c.line;
        EXPECT_STREQ(info.m_strFileName, c.fileName) << "line: " << c.line;
        EXPECT_EQ(info.m_bShowSplash, c.splash) << "line: " << c.line;
    }
}

TEST(CommandLine, PrintToTakesPrinterDriverAndPort)
{
    CCommandLineInfo info;
    ParseCommandLineText("/pt label.slv \"Label Printer\" winspool LPT1: extra", info);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FilePrintTo);
    EXPECT_STREQ(info.m_strFileName, "label.slv");
    EXPECT_STREQ(info.m_strPrinterName, "Label Printer");
    EXPECT_STREQ(info.m_strDriverName, "winspool");
    EXPECT_STREQ(info.m_strPortName, "LPT1:");
}

}  // namespace
