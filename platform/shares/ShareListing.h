// Listings of shares as Samba's tools print them, read back into records.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ShareSection {
    std::string name;
    std::string path;
    std::string comment;
    std::string acl; // usershare_acl
    long long owner = -1; // uid that owns a usershare's file; -1 for a share of the configuration
};

// The separator between key and value: `net usershare info` writes "path=/srv",
// testparm writes "\tpath = /srv".
inline constexpr std::string_view kUsershareSeparator = "=";
inline constexpr std::string_view kTestparmSeparator = " = ";

// Every "[name]" section of the text with the values that follow it; the "[global]" section of
// a configuration is no share and is left out.
std::vector<ShareSection> ReadShareSections(std::string_view text, std::string_view separator);

// The section that names the same share as name (platform::SameShareName), or null.
const ShareSection* FindShareSection(const std::vector<ShareSection>& sections, std::string_view name);

} // namespace platform
