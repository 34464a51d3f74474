// The text that `net usershare info` prints, read back into records.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct UsershareInfo {
    std::string name;
    std::string path;
    std::string comment;
    std::string acl;
    bool guestOk = false;
};

// The record of the share called name (compared without regard to ASCII case), if the text
// holds one.
std::optional<UsershareInfo> FindUsershare(std::string_view infoText, std::string_view name);

// Characters that Samba refuses in a usershare name; such a name also never matches as a pattern.
bool IsValidUsershareName(std::string_view name);

// Share names compare without regard to ASCII case.
bool SameAsciiCase(std::string_view a, std::string_view b);

} // namespace platform
