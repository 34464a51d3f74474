// tarrowctl's exit codes, as its --help and man page document them.
#pragma once

enum ExitCode : int {
    kExitOk = 0,          // every step succeeded
    kExitFailed = 1,      // a step failed (on this computer or on the device)
    kExitUsage = 2,       // the command line was not understood
    kExitUnreachable = 3, // the device did not answer at the address given
    kExitUnsupported = 4, // the device cannot scan to a folder set up this way
    kExitLogonRefused = 5 // this computer refused the account's user name or password
};

// The word of an exit code in --json documents ("error": {"code": ...}).
constexpr const char* ExitCodeWord(int code)
{
    constexpr const char* kWords[] = {"ok", "failed", "usage", "unreachable", "unsupported", "logon-refused"};
    return code >= 0 && code < static_cast<int>(sizeof kWords / sizeof kWords[0]) ? kWords[code] : "failed";
}
