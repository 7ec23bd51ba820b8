#pragma once
// Reading a document file into a label model, apart from any document or
// window: the records of the archive first, then the label made from them.
// The document (document/ReadDocument.cpp) adds what the user sees around it
// (the wait cursor, messages, settings, the view); the host fuzz target of
// the document reader drives the same two steps.

#include "document/LayoutVariables.h"
#include "document/PropertyRecord.h"
#include "document/TextRecord.h"
#include "framework/Collections.h"
#include "framework/String.h"

class CArchive;
class CLabelModel;

// The records of a document file as they are read.
struct DocumentRecords
{
    CObjectArray<CProperty>& properties;
    CObjectArray<CText>& texts;
    CVariables& variables;
};

namespace DocumentFileReader
{
// The file's records, its layout values and its image blocks (appended to
// `images`). Returns the file's version; a version newer than the program's
// stops the reading there (the archive is aborted). A damaged file throws.
int ReadRecords(CArchive& ar, DocumentRecords records, CLabelModel& images);

// What filling a label from the records came to.
struct Filled
{
    bool converted = false;  // an older file whose rows took the current form
    CString selected;        // the object or surface the file had selected
};

// Turns the records of a file of `version` and its images (taken out of
// `images`) into the label, which must be empty: images, property rows (older
// forms converted, Image objects whose image is missing dropped), text rows,
// the layout shown and the surface placement.
Filled FillLabel(CLabelModel& label, const DocumentRecords& records, int version, CLabelModel& images);
}  // namespace DocumentFileReader
