// Text that arrives from a device (model names, folder names, replies) may hold line breaks or
// other control characters. Written raw, a device could split a log line and forge the lines after
// it; escaped, every log line stays one line.
#pragma once

#include "platform/core/CString.h"

// A copy of text in which every control character (U+0000-U+001F, U+007F) is written as a visible
// escape: "\n", "\r", "\t", or "\x" and two lower-case hex digits. A backslash stays as it is, so
// Windows paths read as before.
CString EscapeForLog(const CString& text);
