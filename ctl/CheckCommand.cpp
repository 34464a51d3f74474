// tarrowctl check DEVICE
#include "ctl/Commands.h"
#include "ctl/Console.h"
#include "ctl/Device.h"
#include "ctl/ExitCodes.h"
#include "ctl/RunResult.h"

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
    JsonObject& result = CurrentRun().Fields();
    result.Set("device", Utf8(name.address)).Set("reachable", reachable);
    if (reachable)
        result.Set("ipAddress", Utf8(device.ipAddress))
            .Set("model", Utf8(device.modelName))
            .Set("features", features)
            .Set("featuresText", words.word)
            .Set("featuresDetail", words.detail)
            .Set("usable", words.usable);
    if (CurrentRun().Json())
        return code;
    if (!reachable) {
        std::cout << Printable(Utf8(name.address)) << ": not reachable" << std::endl;
        return code;
    }
    std::cout << "device:    " << Utf8(device.ipAddress) << "\n"
              << "model:     " << Printable(Utf8(device.modelName)) << "\n"
              << "features:  " << words.word << " (" << features << "): " << words.detail << std::endl;
    return code;
}
