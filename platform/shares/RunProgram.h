// Runs an external program from an argument vector (no shell: arguments are passed as they are,
// whatever characters they hold) and collects what it writes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

// The most input a program is given: what one pipe holds before the program reads.
inline constexpr std::size_t kMaxProgramInput = 65536;

inline constexpr int kDefaultProgramTimeout = 30000; // milliseconds

struct ProgramResult {
    bool started = false;
    bool timedOut = false;
    // The exit status; -1 when the program was killed by a signal or did not start.
    int exitCode = -1;
    // Standard output and standard error, interleaved as written.
    std::string output;
};

// Runs arguments[0] (an absolute path, else searched in PATH) with the C locale, so that its
// messages can be read, and input on its standard input. Input longer than kMaxProgramInput, or
// more than the pipe takes, starts nothing (started stays false). A program that is still
// running after timeoutMilliseconds is killed (timedOut, exit code -1).
ProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& input = {},
                         int timeoutMilliseconds = kDefaultProgramTimeout);

// The platform's way of running programs, so that a test can stand in for a tool that refuses,
// does not start or hangs.
class IProgramRunner {
public:
    virtual ~IProgramRunner() = default;
    virtual ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input,
                              int timeoutMilliseconds) = 0;

    static constexpr const char* kServiceName = "ProgramRunner";
    static IProgramRunner& Default();
};

} // namespace platform
