// A process named so that another can tell later whether it still runs: its number and the time
// it started (a number given again to a new process comes with another start time).
#pragma once

#include <string>

namespace platform {

// "pid:start" of this process; start is in clock ticks after boot (/proc/PID/stat).
std::string ThisProcessStamp();

// Whether the process of the stamp still runs; false for an empty or malformed stamp.
bool IsProcessRunning(const std::string& stamp);

} // namespace platform
