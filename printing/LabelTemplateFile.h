#pragma once
// The label-paper store on disk: "labels.ini" beside the program, which in
// spite of its name is a binary archive: the template count, the CLabelDim
// records, then the two current choices as plain text "disc,jewel" running to
// the end of the file.
//
// Reading and writing hand back results; what the user is told, and whether
// the built-in papers take over, is the caller's business.

#include "framework/File.h"
#include "framework/String.h"
#include "label/LabelDim.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// An ordered list of templates of both kinds and the indices of the two in use.
struct LabelTemplateList
{
    std::vector<std::unique_ptr<CLabelDim>> templates;
    int discTemplate = 0;   // must name a disc-label paper
    int jewelTemplate = 0;  // must name a jewel-case paper

    LabelTemplateList() = default;
    LabelTemplateList(LabelTemplateList&&) = default;
    LabelTemplateList& operator=(LabelTemplateList&&) = default;
    // A deep copy: editing dialogs work on copies and write them back on OK.
    LabelTemplateList Clone() const;

    // "[Generic]" and "[Plain Paper]", chosen as 0 and 1.
    static LabelTemplateList BuiltIns();
};

// The first template of that kind, or -1.
int FirstTemplateOfKind(const std::vector<std::unique_ptr<CLabelDim>>& templates, int kind);

// Makes both choices name a template of their kind: a choice outside the list
// or of the wrong kind becomes the first template of its kind, and a list
// without any template of a kind gets that kind's built-in paper appended.
// True when something had to change.
bool ValidateTemplateChoices(LabelTemplateList& list);

class LabelTemplateFile
{
public:
    enum class ReadStatus
    {
        Read,     // the list and its choices (choices as they stand; validate them)
        Missing,  // the file could not be opened
        Damaged,  // truncated, an unknown class, counts beyond the file, an empty entry...
    };
    struct ReadResult
    {
        ReadStatus status = ReadStatus::Missing;
        LabelTemplateList list;  // empty unless status is Read
        std::string problem;     // what was wrong with a damaged file
    };

    enum class WriteStatus
    {
        Written,
        CannotCreate,  // the file could not be opened for writing; it is untouched
        WriteFailed,   // opened, but the bytes did not all reach it
    };

    // The program's own file: the program folder followed by "labels.ini".
    static CString DefaultPath();

    explicit LabelTemplateFile(CString path) : m_path(std::move(path)) {}
    const CString& Path() const { return m_path; }

    ReadResult Read() const;
    WriteStatus Write(const LabelTemplateList& list) const;

    // The byte form itself, for the file and for tests.
    static std::vector<BYTE> ToBytes(const LabelTemplateList& list);
    static ReadResult FromBytes(const BYTE* data, size_t size);

private:
    CString m_path;
};
