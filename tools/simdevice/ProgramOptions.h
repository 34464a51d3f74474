// Command line of tarrow-simdevice. Each option is one row of the table in ProgramOptions.cpp:
// to add one, add its field here and its row there.
#pragma once

#include "tools/simdevice/SimulatedDevice.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace simdevice {

struct ProgramOptions {
    std::string host = "127.0.0.2";
    int port = 443;
    Profile profile = Profile::ManagedGranted;
    std::optional<std::string> modelName;
    int folders = 0;
    std::map<std::string, std::string> names;  // the name table for scans and path checks: host -> loopback address
    int smbPort = 445;
    bool help = false;
};

// Fills options from the arguments (without the program name); on a bad argument returns false
// with the reason in error.
bool ParseOptions(const std::vector<std::string>& args, ProgramOptions& options, std::string& error);
std::string UsageText();

} // namespace simdevice
