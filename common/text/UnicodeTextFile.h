// A text file written as UTF-16LE with the byte-order mark FF FE, each "\n" written as CR LF.
#pragma once

#include "platform/core/CString.h"

#include <cstdio>

class CUnicodeTextFile {
public:
    CUnicodeTextFile() = default;
    ~CUnicodeTextFile() { Close(); }
    CUnicodeTextFile(const CUnicodeTextFile&) = delete;
    CUnicodeTextFile& operator=(const CUnicodeTextFile&) = delete;

    // Creates or empties the file (a Windows-form or POSIX path) and writes the mark.
    bool Open(const CString& path);
    // Opens the file for appending, creating it when missing; a new or empty file gets the mark.
    bool OpenForAppend(const CString& path);
    void Write(const CString& text);
    void Close();

private:
    std::FILE* m_file = nullptr;
};
