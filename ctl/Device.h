// The device a subcommand works on: named by IP address, --host NAME or --mac MAC, found by the
// address check that TarrowNetwork makes for the wizard, then asked whether it can scan to a folder.
#pragma once

#include "ctl/Arguments.h"
#include "frontend/NetworkProgram.h"

#include "platform/core/CString.h"

struct DeviceName {
    NetworkMode mode = NetworkMode::IPAddress;
    CString address; // as typed, blanks around it dropped
};

// The device named by --host or --mac, else by the first positional argument (which is then
// taken off positionals). False with error when none or more than one is given.
bool DeviceFromArguments(const Arguments& args, std::vector<std::string>& positionals, DeviceName& device,
                         std::string& error);

struct FoundDevice {
    CString ipAddress;
    CString modelName;
};

// Makes the discovery program's address check in this process. kExitOk with the device,
// kExitUnreachable when it did not answer.
int FindDevice(const DeviceName& device, FoundDevice& found);

// What GetSupportedFeatures answered, in words.
struct FeatureWords {
    int result;
    const char* word;   // "supported", "unsupported", ...
    const char* detail; // a sentence for the user
    bool usable;        // a folder can be set up
};
const FeatureWords& DescribeFeatures(int result);

// FindDevice, then the device's features: kExitOk when a folder can be set up, kExitUnsupported
// when not (said on standard error), or FindDevice's code. features gets the result.
int FindUsableDevice(const DeviceName& device, FoundDevice& found, int& features);
