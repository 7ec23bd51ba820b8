#pragma once
// Where the album search finds a data CD's MP3 files: every "*.mp3" under a
// folder and its sub-folders. The search depends only on this interface, so
// the program's general file finder can take its place.

#include "framework/String.h"

#include <atomic>
#include <vector>

class IMp3FileFinder
{
public:
    virtual ~IMp3FileFinder() = default;
    // Full paths, files of a folder before those of its sub-folders. Gives up
    // (returning what it has) once `keepRunning` is false.
    virtual std::vector<CString> FindMp3Files(const CString& folder, const std::atomic<bool>& keepRunning) = 0;
};

// Walks the folders with the system's file search.
class CFolderMp3Finder : public IMp3FileFinder
{
public:
    std::vector<CString> FindMp3Files(const CString& folder, const std::atomic<bool>& keepRunning) override;
};
