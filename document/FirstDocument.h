#pragma once

// The document's part of the program's start: the first label, made as File
// New makes one (the command line's file, the last layout's preset or the New
// Document dialog). On a first run it is made without refreshing the panes.
class IFirstDocument
{
public:
    virtual void MakeFirstDocument(bool firstRun) = 0;

protected:
    ~IFirstDocument() = default;
};
