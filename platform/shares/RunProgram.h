// Runs an external program from an argument vector (no shell: arguments are passed as they are,
// whatever characters they hold) and collects what it writes.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct ProgramResult {
    bool started = false;
    bool timedOut = false;
    // The exit status; -1 when the program was killed by a signal or did not start.
    int exitCode = -1;
    // Standard output and standard error, interleaved as written.
    std::string output;
};

// Runs arguments[0] (searched in PATH) with the C locale, so that its messages can be read, and
// input on its standard input (at most one pipe's capacity, 64 KiB). A program that is still
// running after timeoutMilliseconds is killed.
ProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& input = {},
                         int timeoutMilliseconds = 30000);

} // namespace platform
