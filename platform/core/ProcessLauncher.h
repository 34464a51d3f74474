// Starting another program of the system and waiting for its end.
#pragma once

#include "platform/core/ChildStop.h"
#include "platform/core/CString.h"
#include "platform/core/CStringList.h"

namespace platform {

class IProcessLauncher {
public:
    virtual ~IProcessLauncher() = default;

    // Runs the program at programPath (Windows or POSIX form) with exactly these arguments, each
    // passed as it is (no text can add or split one), in this process's environment and folder,
    // without its open files, and waits for its end without limit. Programs here carry
    // no extension: a path ending in ".exe" that does not exist names the program without it.
    // A stop (may be null) ends the program early by its PID.
    // Returns true with the program's exit code (128 + the signal's number when a signal ended
    // it), false when it could not be started.
    virtual bool RunAndWait(const CString& programPath, const CStringList& arguments, int& exitCode,
                            ChildStop* stop) = 0;

    // Starts the program as RunAndWait does and returns at once; its end is collected in the
    // background. False when it could not be started.
    virtual bool Start(const CString& programPath, const CStringList& arguments) = 0;

    static constexpr const char* kServiceName = "ProcessLauncher";
    static IProcessLauncher& Default();
};

} // namespace platform
