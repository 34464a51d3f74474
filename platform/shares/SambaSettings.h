// The Samba configuration as the platform needs it, read once: one `testparm -sv` (every
// parameter of [global], defaults included, and every share of the file) whose answer is kept
// until the configuration file changes (its size, time or inode), so that a set-up runs the tool
// once rather than once per question.
#pragma once

#include "ShareListing.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

struct SambaSettings {
    bool read = false;  // false when testparm could not be run or timed out (error holds why)
    int error = 0;      // the Windows number of that failure
    std::vector<std::pair<std::string, std::string>> global; // [global]'s parameters as testparm names them
    std::vector<ShareSection> shares;                          // the file's own shares

    // The value of a [global] parameter ("smb ports"), or nothing.
    std::optional<std::string> Global(std::string_view name) const;
};

// The settings of the configuration in use (SambaConfig.h), read or kept.
SambaSettings CurrentSambaSettings();

// Starts reading the settings in the background, for a question soon to come, which then waits
// for that read instead of starting its own.
void PrefetchSambaSettings();

// Has the next question read the configuration anew: for a caller that changed what the tool
// answers without changing the file (a test that stands in for the tool).
void ForgetSambaSettings();

} // namespace platform
