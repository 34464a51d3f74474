// A command line as one text, split and joined by the Windows rules: arguments are separated by
// blanks or tabs; quotation marks group and are removed; "" inside quotation marks is one
// quotation mark; backslashes are literal except before a quotation mark, where each pair
// becomes one backslash and an odd one makes the mark literal.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/CStringList.h"

CStringList SplitCommandLine(const CString& commandLine);

// The command line that SplitCommandLine splits into exactly these arguments: an argument is
// quoted only when it is empty or holds a blank, a tab or a quotation mark.
CString JoinCommandLine(const CStringList& arguments);
