// Command line of tarrow-simscan. Each option is one row of the table in SimScanOptions.cpp.
#pragma once

#include <string>
#include <vector>

namespace simdevice {

struct SimScanOptions {
    std::string host;       // the device's loopback address
    int port = 443;
    std::string folder;
    std::string user;
    std::string domain;
    bool passwordFromStdin = false;
    bool help = false;
};

// Fills options from the arguments (without the program name); false with the reason in error
// on a bad or missing argument (--device and --folder are required unless --help is given).
bool ParseSimScanOptions(const std::vector<std::string>& args, SimScanOptions& options, std::string& error);
std::string SimScanUsageText();

} // namespace simdevice
