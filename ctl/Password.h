// Passwords never come from the command line: from standard input (--password-stdin), else from
// a prompt on the terminal without echo.
#pragma once

#include <string>

// One line from standard input, without its line end. False at end of input before any line.
bool ReadPasswordLine(std::string& password);

// Asks on the terminal (/dev/tty) with echo off. False when there is no terminal.
bool PromptPassword(const std::string& prompt, std::string& password);

// ReadPasswordLine when fromStdin, else PromptPassword; false with error when neither gives one.
bool GetPassword(bool fromStdin, const std::string& prompt, std::string& password, std::string& error);
