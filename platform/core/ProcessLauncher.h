// Starting another program of the system and waiting for its end.
#pragma once

#include "platform/core/CString.h"

namespace platform {

class IProcessLauncher {
public:
    virtual ~IProcessLauncher() = default;

    // Runs the program at programPath (Windows or POSIX form) with the arguments that commandLine
    // holds by the Windows rules (platform/core/CommandLine.h), in this process's environment and
    // folder, without its open files, and waits for its end without limit. Programs here carry
    // no extension: a path ending in ".exe" that does not exist names the program without it.
    // Returns true with the program's exit code (128 + the signal's number when a signal ended
    // it), false when it could not be started.
    virtual bool RunAndWait(const CString& programPath, const CString& commandLine, int& exitCode) = 0;

    // Starts the program as RunAndWait does and returns at once; its end is collected in the
    // background. False when it could not be started.
    virtual bool Start(const CString& programPath, const CString& commandLine) = 0;

    static constexpr const char* kServiceName = "ProcessLauncher";
    static IProcessLauncher& Default();
};

} // namespace platform
