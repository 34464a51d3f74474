// The outcome of a parse or a write: an error code with its message and, for a parse, the line
// and column (both from 1) where the problem was found. Codes 1 and 2 are warnings: the tree
// built so far is still returned.
#pragma once

#include "platform/core/CString.h"

#include <string_view>

enum XmlErrorCode {
    XmlNoError = 0,
    XmlWarningUnmatchedEndTag = 1,
    XmlWarningNoTag = 2,
    XmlErrorNoData = 3,
    XmlErrorMissingStartTagName = 4,
    XmlErrorMissingEndTagName = 5,
    XmlErrorUnmatchedEndTag = 6,
    XmlErrorUnmatchedClearTagEnd = 7,
    XmlErrorUnexpectedToken = 8,
    XmlErrorNoElements = 9,
    XmlErrorFileNotFound = 10,
    XmlErrorFirstTagNotFound = 11,
    XmlErrorUnknownEntity = 12,
    XmlErrorConversion = 13,
    XmlErrorOpenForWriting = 14,
    XmlErrorWrite = 15,
};

struct XmlParseResult {
    int code = XmlNoError;
    // 0 while no position applies (file errors); else counted from 1.
    int line = 0;
    int column = 0;
};

// The message of a code; "Unknown" for a code outside the table.
CString XmlErrorMessage(int code);

// Line and column of position in text: every LF starts a new line at column 1, every other
// character adds one column.
void LineAndColumn(std::u16string_view text, std::size_t position, int& line, int& column);
