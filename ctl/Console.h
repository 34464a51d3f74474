// What tarrowctl says: results on standard output, progress and errors on standard error (and
// in the log), results as JSON with --json (ctl/RunResult.h).
#pragma once

#include "platform/core/CString.h"

#include <string>
#include <string_view>

// Text from a device or a file as a terminal shows it: control characters (C0, DEL, C1) and
// bytes that are no UTF-8 written as \xNN, so that no text can move the cursor, set the window
// title or ring the bell. With keepLineBreaks, "\n" stays a line break (our own messages).
std::string Printable(std::string_view text, bool keepLineBreaks = false);

// "tarrowctl: <step>" on standard error and in the program's log; control characters in step are
// shown escaped (Printable).
void Progress(const std::string& step);
// "tarrowctl: error: <text>" on standard error and in the log, escaped as Progress; with --json
// also the message of the run's "error".
void Error(const std::string& text);
std::string Utf8(const CString& text);

// "tarrowctl COMMAND: <text>" and a pointer to the command's --help on standard error (with
// --json also the run's "error"); returns kExitUsage.
int UsageError(const char* command, const std::string& text);
