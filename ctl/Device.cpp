#include "ctl/Device.h"

#include "ctl/Console.h"
#include "ctl/ExitCodes.h"

#include "frontend/Blanks.h"
#include "library/Quillet_Library.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"

namespace {

struct NamingRow {
    const char* option;
    NetworkMode mode;
};

constexpr NamingRow kNamings[] = {
    {"--host", NetworkMode::HostName},
    {"--mac", NetworkMode::MACAddress},
};

constexpr FeatureWords kFeatureWords[] = {
    {DEVICE_NOT_SUPPORTED, "unsupported", "the device does not support scanning to a folder", false},
    {DEVICE_SUPPORTED, "supported", "the device can scan to a folder", true},
    {UNMANAGED_SCAN_TO_DESKTOP, "supported", "the device can scan to a folder", true},
    {MANAGED_SCAN_TO_NETWORK, "supported", "the device can scan to a network folder", true},
    {UNMANAGED_NO_FW_SUPPORT, "firmware", "the device needs a firmware upgrade to scan to a folder", false},
    {MANAGED_BLOCKED_BY_EWS, "blocked", "set-up from a computer is switched off on the device", false},
    {EWS_PASSWORD_PROTECTED, "password-protected",
     "the device's web server is password protected; remove the password to set up scanning", false},
};

constexpr FeatureWords kUnknownFeature = {-1, "unknown", "the device gave an unknown answer", false};

} // namespace

bool DeviceFromArguments(const Arguments& args, std::vector<std::string>& positionals, DeviceName& device,
                         std::string& error)
{
    int named = 0;
    for (const NamingRow& row : kNamings) {
        if (auto value = args.Value(row.option)) {
            device = {row.mode, TrimBlanks(CString::FromUtf8(*value))};
            ++named;
        }
    }
    if (named == 0 && !positionals.empty()) {
        device = {NetworkMode::IPAddress, TrimBlanks(CString::FromUtf8(positionals.front()))};
        positionals.erase(positionals.begin());
        ++named;
    }
    if (named != 1) {
        error = named == 0 ? "no device given (IP address, --host NAME or --mac MAC)"
                           : "give the device once: an IP address, --host NAME or --mac MAC";
        return false;
    }
    if (device.address.IsEmpty()) {
        error = "the device's address is empty";
        return false;
    }
    return true;
}

int FindDevice(const DeviceName& device, FoundDevice& found)
{
    Progress("looking for the device " + Utf8(device.address));
    const CString moduleFolder = platform::Use<platform::ISystemInfo>().GetModuleFolder();
    int exitCode = RunNetworkProgram(moduleFolder, NetworkArguments(0, 0, device.mode, device.address), nullptr);
    if (exitCode == -1) {
        Error("could not start TarrowNetwork from " + Utf8(moduleFolder));
        return kExitUnreachable;
    }
    AddressAnswer answer = ReadAddressAnswer(exitCode, device.mode, device.address);
    if (answer.accessState == u"DataFileError") {
        Error(Utf8(DataFileProblem(exitCode)));
        return kExitFailed;
    }
    if (answer.accessState != u"FALSE") {
        Error("no device answers at " + Utf8(device.address));
        return kExitUnreachable;
    }
    found = {answer.deviceIp, answer.modelName};
    Progress("found " + Utf8(found.modelName) + " at " + Utf8(found.ipAddress));
    return kExitOk;
}

const FeatureWords& DescribeFeatures(int result)
{
    for (const FeatureWords& row : kFeatureWords)
        if (row.result == result)
            return row;
    return kUnknownFeature;
}

int FindUsableDevice(const DeviceName& device, FoundDevice& found, int& features)
{
    if (int code = FindDevice(device, found); code != kExitOk)
        return code;
    Progress("asking the device whether it can scan to a folder");
    features = GetSupportedFeatures(found.modelName, found.ipAddress, 1);
    const FeatureWords& words = DescribeFeatures(features);
    if (!words.usable) {
        Error(std::string(words.detail) + " (" + words.word + ")");
        return kExitUnsupported;
    }
    return kExitOk;
}
