#include "network/DeviceQueries.h"

#include "common/log/LogEscape.h"
#include "common/log/ProgramLog.h"
#include "library/Quillet_Library.h"
#include "network/DiscoveryLibrary.h"
#include "network/VesperText.h"
#include "vesper/vespersdk.h"

#include <memory>
#include <new>

namespace {

using TextQuery = int (IDiscoveryLibrary::*)(int, char*, int, int*);

struct DeviceTextKind {
    TextQuery query;
    const char16_t* allocationName;  // in "Memory Allocation Failure for ..."
    const char16_t* failureText;
};

constexpr DeviceTextKind kIPAddress{&IDiscoveryLibrary::GetIPAddress, u"IPAddress", u"Could not Retrieve IP Address"};
constexpr DeviceTextKind kMACAddress{&IDiscoveryLibrary::GetMACAddress, u"MACAddress",
                                     u"Could not Retrieve MACAddress"};
constexpr DeviceTextKind kHostName{&IDiscoveryLibrary::GetHostName, u"HostName", u"Could not Retrieve HostName"};
constexpr DeviceTextKind kModelName{&IDiscoveryLibrary::GetModelName, u"ModelName", u"Could not Retrieve ModelName"};

// The two-step query: learn the length, then read into a buffer of that size.
CString QueryText(int index, const DeviceTextKind& kind)
{
    IDiscoveryLibrary& discovery = Discovery();
    int length = 0;
    (discovery.*kind.query)(index, nullptr, 0, &length);
    std::unique_ptr<char[]> buffer(length >= 0 ? new (std::nothrow) char[static_cast<std::size_t>(length) + 1]
                                               : nullptr);
    if (!buffer) {
        ProgramLog().Line(CString(u"Memory Allocation Failure for ") + kind.allocationName);
        return CString();
    }
    const int size = length;
    buffer[0] = '\0';
    if ((discovery.*kind.query)(index, buffer.get(), size, &length) != VESPER_SUCCESS) {
        ProgramLog().Line(kind.failureText);
        return CString();
    }
    buffer[size] = '\0';  // the service terminates the text; this only guards the buffer's end
    return FromVesper(buffer.get());
}

} // namespace

int StartDiscovery()
{
    int result = Discovery().StartDiscoveringDevices(0, 0, 0, 1, 3, 4, 32);
    switch (result) {
    case VESPER_GENERAL_ERROR: ProgramLog().Line(u"VESPER_GENERAL_ERROR"); break;
    case VESPER_INVALID_FILTER: ProgramLog().Line(u"VESPER_INVALID_FILTER"); break;
    case VESPER_DISCOVERY_IN_PROGRESS: ProgramLog().Line(u"VESPER_DISCOVERY_IN_PROGRESS"); break;
    default: break;
    }
    return 1;
}

int GetDiscoveredDeviceCount(const CString& label)
{
    ProgramLog() << timestamp << u"Number Of Discovered " + label + u" Devices: ";
    int count = 0;
    if (Discovery().GetNumDiscoveredDevices(&count) != VESPER_SUCCESS)
        ProgramLog() << timestamp << u"Could not retrieve the number of devices discovered.\n";
    ProgramLog() << count << "\n";
    return count;
}

int GetDeviceIPAddress(int index, CString& text)
{
    text = QueryText(index, kIPAddress);
    ProgramLog() << timestamp << u"    Device " + IntToCString(index) + u": " + EscapeForLog(text);
    return 1;
}

int GetDeviceMACAddress(int index, CString& text)
{
    text = QueryText(index, kMACAddress);
    ProgramLog() << u" : " + EscapeForLog(text);
    return 1;
}

int GetDeviceHostName(int index, CString& text)
{
    text = QueryText(index, kHostName);
    ProgramLog() << u" : " + EscapeForLog(text) + u"\n";
    return 1;
}

int GetDeviceModelName(int index, CString& text)
{
    text = QueryText(index, kModelName);
    ProgramLog() << u" : " + EscapeForLog(text) + u"\n";
    return 1;
}

int IsScanToFolderDevice(int index, NetworkState& state)
{
    CString ipAddress;
    CString modelName;
    GetDeviceIPAddress(index, ipAddress);
    GetDeviceModelName(index, modelName);
    Brede_SupportedFeatures features = GetSupportedFeatures(modelName, ipAddress, 0);
    state.lastFeatures = features;
    CString answer = features == DEVICE_SUPPORTED       ? CString(u"SCAN_TO_FOLDER")
                     : features == DEVICE_NOT_SUPPORTED ? CString(u"NONE")
                                                        : IntToCString(features);
    ProgramLog().Line(u"GetSupportedFeatures() for " + EscapeForLog(modelName) + u" with IP :" + EscapeForLog(ipAddress)
                      + u" returned " + answer);
    return features == DEVICE_SUPPORTED ? 1 : 0;
}
