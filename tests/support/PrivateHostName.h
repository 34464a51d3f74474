// Gives the test process a host name of its own. The process first moves into a host-name (UTS)
// namespace of its own, so the machine's name never changes, whether or not the test runs in
// the sandbox of tests/support/run-isolated. Needs root.
#pragma once

#include <sched.h>
#include <string>
#include <unistd.h>

inline bool UsePrivateHostName(const std::string& name)
{
    return unshare(CLONE_NEWUTS) == 0 && sethostname(name.data(), name.size()) == 0;
}
