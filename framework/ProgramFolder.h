#pragma once

#include "framework/String.h"

// The folder of the program file, with its trailing backslash: the default
// templates, "labels.ini" and the "Backgrounds" folder lie there.
CString ProgramFolder();

// Makes ProgramFolder() answer another folder (tests keep their files apart
// this way); an empty folder goes back to the program's own.
void SetProgramFolder(const CString& folder);
