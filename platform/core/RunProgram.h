// Runs an external program from an argument vector (no shell: arguments are passed as they are,
// whatever characters they hold). The one way this system starts another program: a tool whose
// answer is read (captured output, C locale, a time-out), a program of ours that talks to the
// user itself (its own output, waited for until its end or until stopped), or one that is only
// started (a desktop opener).
#pragma once

#include "platform/core/ChildStop.h"

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

// The most input a program is given: what one pipe holds before the program reads.
inline constexpr std::size_t kMaxProgramInput = 65536;

inline constexpr int kDefaultProgramTimeout = 30000; // milliseconds
inline constexpr int kNoTimeout = 0;                 // waits for the program's end without limit

struct RunOptions {
    enum class Output {
        // Standard output and error are read into ProgramResult::output, and the program runs
        // with the C locale so that its messages can be read.
        Captured,
        // The program writes to this process's standard streams and keeps the user's locale;
        // standard input stays this process's too (input must be empty).
        ToUser,
    };
    enum class Wait {
        UntilEnd, // returns after the program's end (or its time-out)
        None,     // returns once it started; its end is collected in the background (ToUser only)
    };

    int timeoutMilliseconds = kDefaultProgramTimeout; // kNoTimeout: no limit
    ChildStop* stop = nullptr; // may be null; ends the program early by its PID (SIGTERM)
    Output output = Output::Captured;
    Wait wait = Wait::UntilEnd;

    // A tool's answer with this time-out: the common case, written as a number.
    RunOptions(int timeout = kDefaultProgramTimeout) : timeoutMilliseconds(timeout) {}
    RunOptions(int timeout, ChildStop* childStop, Output out, Wait until)
        : timeoutMilliseconds(timeout), stop(childStop), output(out), wait(until)
    {
    }
};

struct ProgramResult {
    bool started = false;
    bool timedOut = false;
    // The exit status; -1 when the program was killed by a signal, timed out, did not start or
    // was not waited for.
    int exitCode = -1;
    // Captured output: standard output and standard error, interleaved as written.
    std::string output;
    // The signal that ended the program, else 0.
    int signal = 0;
};

// Runs arguments[0] (an absolute path, else searched in PATH) with input on its standard input
// (captured runs). The program gets none of this process's open files other than its standard
// streams, and no blocked or ignored signal of the caller's thread. Input longer than
// kMaxProgramInput, or more than the pipe takes, starts nothing (started stays false). A program
// that is still running after the time-out is killed (timedOut, exit code -1).
ProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& input = {},
                         RunOptions options = {});

// The platform's way of running programs, so that a test can stand in for a tool that refuses,
// does not start or hangs, or for a program of ours.
class IProgramRunner {
public:
    virtual ~IProgramRunner() = default;
    virtual ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input,
                              RunOptions options) = 0;

    static constexpr const char* kServiceName = "ProgramRunner";
    static IProgramRunner& Default();
};

} // namespace platform
