#pragma once
// The names an MP3 file is listed under: one made from its file name, one
// from its tags. Both squeeze the separators people type around dashes.

#include "framework/String.h"

// "D:\Music\01_my_song - live.mp3" gives "01 My Song-live".
CString Mp3DisplayName(const CString& path);
// A tag's "artist-title" text with underscores made blanks and the blanks
// around dashes dropped; case is kept.
CString CleanMp3TagName(const CString& tagName);
