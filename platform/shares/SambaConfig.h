// Which Samba configuration the platform works with, and the Samba tools it runs: the system's
// own configuration, unless the environment variable TARROW_SMB_CONF names another file (tests
// run a private Samba that way).
#pragma once

#include <string>
#include <vector>

namespace platform {

inline constexpr const char* kSambaConfigVariable = "TARROW_SMB_CONF";

inline constexpr const char* kNetProgram = "/usr/bin/net";
inline constexpr const char* kTestparmProgram = "/usr/bin/testparm";
inline constexpr const char* kPdbeditProgram = "/usr/bin/pdbedit";

// How long a Samba tool may take before it is killed, in milliseconds.
inline constexpr int kSambaToolTimeout = 15000;

// The file named by TARROW_SMB_CONF, or empty for the system's configuration.
std::string SambaConfigPath();

// The option that points a Samba tool at that file ({option, path}), or nothing.
std::vector<std::string> SambaConfigOption(const char* option = "-s");

} // namespace platform
