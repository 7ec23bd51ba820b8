#pragma once
// The fixtures make_fixtures.sh made with independent tools before this
// program ran (a CTest setup step), and a CD drive stand-in that answers the
// reader's real command blocks with bytes.

#include "album/CdDevice.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// The fixture folder lies beside the test program (the tests run from there).
inline std::string CdSourceFixturePath(const std::string& name)
{
    return "cdsource-fixtures/" + name;
}

inline std::vector<BYTE> ReadFixtureBytes(const std::string& name)
{
    std::ifstream file(CdSourceFixturePath(name), std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline std::vector<std::string> ReadFixtureLines(const std::string& name)
{
    std::ifstream file(CdSourceFixturePath(name));
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

inline std::vector<std::string> SplitText(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream stream(text);
    while (std::getline(stream, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

// What the stand-in drive answers and what it was asked.
struct DriveScript
{
    std::vector<BYTE> toc;           // READ TOC format 0
    std::vector<BYTE> cdText;        // READ TOC format 5; empty: the drive refuses it
    std::vector<BYTE> tocBySystem;   // the system's read-TOC call; empty: it fails
    bool tocCompletes = true;        // false: the drive answers CHECK CONDITION
    DWORD tocTransferLimit = 0xFFFFFFFF;  // the drive delivers at most this much
    int opened = 0;
    std::vector<std::vector<BYTE>> commands;
    int systemReads = 0;
    bool refuseOpen = false;
};

class StandInCdDevice : public ICdDevice
{
public:
    explicit StandInCdDevice(DriveScript& script) : m_script(script) {}

    void StopAudio() override {}

    ScsiCommandResult ExecuteDataIn(const BYTE (&cdb)[10], BYTE* buffer, DWORD length, DWORD) override
    {
        m_script.commands.emplace_back(cdb, cdb + 10);
        const DWORD allocation = static_cast<DWORD>(cdb[7] << 8 | cdb[8]);
        if (cdb[0] != 0x43 || allocation > length)
            return {};
        const int format = cdb[2] & 0x0F;
        if (format == 0) {
            if (!m_script.tocCompletes)
                return {};
            return Deliver(m_script.toc, buffer, std::min(allocation, m_script.tocTransferLimit));
        }
        if (format == 5 && !m_script.cdText.empty())
            return Deliver(m_script.cdText, buffer, allocation);
        return {};
    }

    ScsiCommandResult ReadTocBySystem(BYTE* toc, DWORD length) override
    {
        ++m_script.systemReads;
        if (m_script.tocBySystem.empty())
            return {};
        return Deliver(m_script.tocBySystem, toc, length);
    }

private:
    static ScsiCommandResult Deliver(const std::vector<BYTE>& bytes, BYTE* buffer, DWORD room)
    {
        const DWORD n = static_cast<DWORD>(std::min<size_t>(bytes.size(), room));
        std::memcpy(buffer, bytes.data(), n);
        return ScsiCommandResult{true, n};
    }

    DriveScript& m_script;
};

class StandInCdProvider : public ICdDeviceProvider
{
public:
    explicit StandInCdProvider(std::vector<std::pair<CString, DriveScript*>> drives) : m_drives(std::move(drives)) {}

    std::vector<CString> ListDrives() override
    {
        std::vector<CString> names;
        for (const auto& drive : m_drives)
            names.push_back(drive.first);
        return names;
    }

    std::unique_ptr<ICdDevice> Open(int drive) override
    {
        DriveScript& script = *m_drives.at(static_cast<size_t>(drive)).second;
        if (script.refuseOpen)
            return nullptr;
        ++script.opened;
        return std::make_unique<StandInCdDevice>(script);
    }

private:
    std::vector<std::pair<CString, DriveScript*>> m_drives;
};

// A READ TOC format 0 reply: frame offsets from the start (lead-in included).
inline std::vector<BYTE> MakeTocReply(int first, const std::vector<long>& offsets, long leadOut,
                                      const std::vector<int>& dataTracks = {})
{
    const int count = static_cast<int>(offsets.size());
    std::vector<BYTE> toc(4 + 8 * static_cast<size_t>(count + 1));
    const int length = static_cast<int>(toc.size()) - 2;
    toc[0] = static_cast<BYTE>(length >> 8);
    toc[1] = static_cast<BYTE>(length);
    toc[2] = static_cast<BYTE>(first);
    toc[3] = static_cast<BYTE>(first + count - 1);
    for (int i = 0; i <= count; ++i) {
        BYTE* descriptor = toc.data() + 4 + 8 * i;
        const int track = i < count ? first + i : 0xAA;
        const bool data = std::find(dataTracks.begin(), dataTracks.end(), track) != dataTracks.end();
        descriptor[1] = data ? 0x14 : 0x10;
        descriptor[2] = static_cast<BYTE>(track);
        const long frames = i < count ? offsets[static_cast<size_t>(i)] : leadOut;
        descriptor[5] = static_cast<BYTE>(frames / (75 * 60));
        descriptor[6] = static_cast<BYTE>(frames / 75 % 60);
        descriptor[7] = static_cast<BYTE>(frames % 75);
    }
    return toc;
}
