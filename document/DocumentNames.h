#pragma once

#include "framework/String.h"

// File names and texts of the document file.
inline constexpr char kDocumentExtension[] = ".slv";
inline constexpr char kUntitledDocumentName[] = "Untitled.slv";
inline constexpr char kSingleTemplateName[] = "Default1.slv";
inline constexpr char kDoubleTemplateName[] = "Default2.slv";

// True for the name of either default template.
bool IsDefaultTemplateName(const CString& title);

// A path chosen in the Save As dialog as it is written: a name that ends in
// ".slv" in any case gets the extension in lower case; any other name gets
// ".slv" appended, whatever extension it had.
CString NormaliseDocumentPath(const CString& path);
