// What one fix acts on and how it reports: the account it acts for, the Samba configuration, the
// password for a Samba password request, and the log that takes every step (never a password).
#pragma once

#include "platform/core/RunProgram.h"

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace fixes {

struct FixContext {
    uid_t caller = 0;          // the account the request acts for
    std::string callerName;
    std::string sambaConfig;   // the smb.conf that is edited and handed to Samba's tools
    std::string password;      // only for a Samba password request
    std::function<void(const std::string&)> log; // one line per step; may be empty
};

struct FixOutcome {
    bool ok = false;
    bool changed = false;  // false when the computer already was as asked
    std::string message;   // one line: what was done, or what was refused and how to mend it
};

FixOutcome Done(std::string message);      // ok, changed
FixOutcome Unchanged(std::string message); // ok, nothing to do
FixOutcome Refused(std::string message);   // not ok, nothing changed

// Logs the step.
void Log(const FixContext& context, const std::string& line);

// Runs the program through the platform's runner (absolute path, time-out, input on standard
// input) and logs its command line and exit status; never logs the input.
platform::ProgramResult RunStep(const FixContext& context, const std::vector<std::string>& arguments,
                                int timeoutMilliseconds, const std::string& input = {});

// The program's first line of output, or why it said nothing ("did not start", "timed out").
std::string WhatItSaid(const platform::ProgramResult& result);

// The program ran and ended with exit status 0.
bool Succeeded(const platform::ProgramResult& result);

} // namespace fixes
