// tarrowctl check DEVICE
#include "ctl/Commands.h"
#include "ctl/Console.h"
#include "ctl/Device.h"
#include "ctl/ExitCodes.h"

#include <iostream>

int RunCheck(const Arguments& args)
{
    std::vector<std::string> positionals = args.Positionals();
    DeviceName name;
    std::string error;
    if (!DeviceFromArguments(args, positionals, name, error))
        return UsageError("check", error);
    if (!positionals.empty())
        return UsageError("check", "unexpected argument \"" + positionals.front() + "\"");

    FoundDevice device;
    int features = -1;
    const int code = FindUsableDevice(name, device, features);
    const bool reachable = code != kExitUnreachable && code != kExitFailed;
    const FeatureWords& words = DescribeFeatures(features);
    if (args.Has("--json")) {
        std::cout << "{\"device\":" << JsonString(Utf8(name.address)) << ",\"reachable\":" << (reachable ? "true" : "false");
        if (reachable) {
            std::cout << ",\"ipAddress\":" << JsonString(Utf8(device.ipAddress))
                      << ",\"model\":" << JsonString(Utf8(device.modelName)) << ",\"features\":" << features
                      << ",\"featuresText\":" << JsonString(words.word) << ",\"usable\":" << (words.usable ? "true" : "false");
        }
        std::cout << "}" << std::endl;
        return code;
    }
    if (!reachable) {
        std::cout << Printable(Utf8(name.address)) << ": not reachable" << std::endl;
        return code;
    }
    std::cout << "device:    " << Utf8(device.ipAddress) << "\n"
              << "model:     " << Printable(Utf8(device.modelName)) << "\n"
              << "features:  " << words.word << " (" << features << "): " << words.detail << std::endl;
    return code;
}
