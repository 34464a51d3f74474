// What tarrowctl says: results on standard output, progress and errors on standard error (and
// in the log), results as JSON with --json.
#pragma once

#include "platform/core/CString.h"

#include <string>
#include <string_view>

// "tarrowctl: <step>" on standard error and in the program's log.
void Progress(const std::string& step);
// "tarrowctl: error: <text>" on standard error and in the log.
void Error(const std::string& text);
// A JSON string literal of UTF-8 text, quotation marks included.
std::string JsonString(std::string_view text);
std::string Utf8(const CString& text);

// "tarrowctl COMMAND: <text>" and a pointer to the command's --help on standard error; returns
// kExitUsage.
int UsageError(const char* command, const std::string& text);
