#pragma once
// The program's command line: what it asks for (a new document, a file to
// open or print) and whether the splash window shows.
//
// Flags start with '/' or '-' (letter case ignored): /nologo (no splash),
// /p file (print), /pt file printer driver port (print to), /dde, /embedding
// and /automation (no splash). The first other parameter is the file name,
// which turns File New into File Open.

#include "framework/String.h"

#include <vector>

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, FileNothing };

    CCommandLineInfo() = default;
    virtual ~CCommandLineInfo() = default;

    // One parameter; a flag comes without its '/' or '-'.
    virtual void ParseParam(LPCSTR param, bool isFlag, bool isLast);

    bool m_bShowSplash = true;
    ShellCommand m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

private:
    int m_printToFieldsLeft = 0;  // after /pt: printer, driver, port
};

// Splits a command line as the C run-time does: white space separates,
// double quotes group (a doubled quote inside quotes is a literal one), and
// backslashes are literal except before a quote (2n backslashes + quote: n
// backslashes and a grouping quote; 2n+1: n backslashes and a literal quote).
std::vector<CString> SplitCommandLine(LPCSTR commandLine);

// Splits and feeds each parameter to info.ParseParam.
void ParseCommandLineText(LPCSTR commandLine, CCommandLineInfo& info);
