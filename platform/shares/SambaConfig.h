// Which Samba configuration the platform works with: the system's own, unless the environment
// variable TARROW_SMB_CONF names another file (tests run a private Samba that way).
#pragma once

#include <string>
#include <vector>

namespace platform {

inline constexpr const char* kSambaConfigVariable = "TARROW_SMB_CONF";

// The file named by TARROW_SMB_CONF, or empty for the system's configuration.
std::string SambaConfigPath();

// The option that points a Samba tool at that file ({option, path}), or nothing.
std::vector<std::string> SambaConfigOption(const char* option = "-s");

} // namespace platform
