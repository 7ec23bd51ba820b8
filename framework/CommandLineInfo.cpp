#include "framework/CommandLineInfo.h"

void CCommandLineInfo::ParseParam(LPCSTR param, bool isFlag, bool)
{
    const CString text = param ? param : "";
    if (isFlag) {
        if (text.CompareNoCase("nologo") == 0 || text.CompareNoCase("embedding") == 0 ||
            text.CompareNoCase("automation") == 0) {
            m_bShowSplash = false;
        } else if (text.CompareNoCase("p") == 0) {
            m_nShellCommand = FilePrint;
        } else if (text.CompareNoCase("pt") == 0) {
            m_nShellCommand = FilePrintTo;
            m_printToFieldsLeft = 3;
        } else if (text.CompareNoCase("dde") == 0) {
            m_nShellCommand = FileDDE;
        }
        return;
    }

    if (m_strFileName.IsEmpty()) {
        m_strFileName = text;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
        return;
    }
    if (m_nShellCommand == FilePrintTo && m_printToFieldsLeft > 0) {
        CString* fields[] = {&m_strPrinterName, &m_strDriverName, &m_strPortName};
        *fields[3 - m_printToFieldsLeft] = text;
        --m_printToFieldsLeft;
    }
}

std::vector<CString> SplitCommandLine(LPCSTR commandLine)
{
    std::vector<CString> parameters;
    if (!commandLine)
        return parameters;
    const char* cursor = commandLine;
    for (;;) {
        while (*cursor == ' ' || *cursor == '\t' || *cursor == '\r' || *cursor == '\n')
            ++cursor;
        if (!*cursor)
            break;
        std::string parameter;
        bool quoted = false;
        while (*cursor && (quoted || (*cursor != ' ' && *cursor != '\t' && *cursor != '\r' && *cursor != '\n'))) {
            if (*cursor == '\\') {
                int backslashes = 0;
                while (*cursor == '\\') {
                    ++backslashes;
                    ++cursor;
                }
                if (*cursor == '"') {
                    parameter.append(static_cast<size_t>(backslashes / 2), '\\');
                    if (backslashes % 2 == 1) {
                        parameter += '"';
                        ++cursor;
                    }
                } else {
                    parameter.append(static_cast<size_t>(backslashes), '\\');
                }
                continue;
            }
            if (*cursor == '"') {
                if (quoted && cursor[1] == '"') {
                    parameter += '"';
                    cursor += 2;
                } else {
                    quoted = !quoted;
                    ++cursor;
                }
                continue;
            }
            parameter += *cursor++;
        }
        parameters.emplace_back(std::move(parameter));
    }
    return parameters;
}

void ParseCommandLineText(LPCSTR commandLine, CCommandLineInfo& info)
{
    const std::vector<CString> parameters = SplitCommandLine(commandLine);
    for (size_t index = 0; index < parameters.size(); ++index) {
        const CString& parameter = parameters[index];
        const bool isLast = index + 1 == parameters.size();
        const bool isFlag = parameter.GetLength() > 1 && (parameter[0] == '/' || parameter[0] == '-');
        info.ParseParam(isFlag ? parameter.Mid(1).c_str() : parameter.c_str(), isFlag, isLast);
    }
}
