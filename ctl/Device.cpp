#include "ctl/Device.h"

#include "ctl/Console.h"
#include "ctl/ExitCodes.h"

#include "common/data/CWriteXML.h"
#include "frontend/Blanks.h"
#include "network/AddressCheck.h"
#include "network/DiscoveryLibrary.h"
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
    // The discovery program's own check, in this process: the same answers and log lines without
    // starting a program or writing a data file.
    static constexpr std::pair<NetworkMode, AddressKind> kKinds[] = {
        {NetworkMode::IPAddress, AddressKind::IPAddress},
        {NetworkMode::HostName, AddressKind::HostName},
        {NetworkMode::MACAddress, AddressKind::MACAddress},
    };
    AddressKind kind = AddressKind::IPAddress;
    for (const auto& [mode, each] : kKinds)
        if (mode == device.mode)
            kind = each;
    NetworkState state;
    CWriteXML answers;
    Discovery().Startup(1);
    const int result = RunAddressCheck(state, answers, kind, device.address, false);
    Discovery().Shutdown(1);
    if (result != 0 || answers.Value(u"PrinterAccessError") != u"FALSE") {
        Error("no device answers at " + Utf8(device.address));
        return kExitUnreachable;
    }
    const CString foundAt = kind == AddressKind::HostName  ? answers.Value(u"IPAddressFromHost")
                            : kind == AddressKind::MACAddress ? answers.Value(u"IPAddressFromMAC")
                                                              : device.address;
    found = {foundAt, answers.Value(u"PrinterModelName")};
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
