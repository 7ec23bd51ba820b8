#pragma once
// The ID3 tag texts of an MP3 file (ID3v1 and ID3v2, read through id3lib).

#include "framework/String.h"

struct Mp3TagTexts
{
    CString artist;  // the lead artist (TPE1)
    CString title;   // the title (TIT2)
};

// Empty texts when the file has no tag or cannot be read.
Mp3TagTexts ReadMp3TagTexts(const char* path);

// The lead artist, "-" and the title; either alone when the other is empty.
CString Mp3TagName(const Mp3TagTexts& texts);
