// The exported call table; everything happens in DiscoveryService.
#include "vesperextensions.h"

#include "AddressText.h"
#include "DiscoveryService.h"

using vesper::DeviceText;
using vesper::DiscoveryService;

namespace {

int Validity(const char* text, bool (*valid)(const char*))
{
    if (!text)
        return VESPER_INVALID_ARGUMENT;
    return valid(text) ? VESPER_SUCCESS : VESPER_INVALID_FILTER;
}

} // namespace

int Vesper_startup(int /*flags*/)
{
    return DiscoveryService::Instance().Startup();
}

int Vesper_shutdown(int /*flags*/)
{
    return DiscoveryService::Instance().Shutdown();
}

int Vesper_isValidIPAddress(const char* address)
{
    return Validity(address, [](const char* text) { return vesper::ParseIpv4(text).has_value(); });
}

int Vesper_isValidIPHostname(const char* hostName)
{
    return Validity(hostName, [](const char* text) { return vesper::IsValidHostName(text); });
}

int Vesper_isValidMACAddress(const char* macAddress)
{
    return Validity(macAddress, [](const char* text) { return vesper::ParseMac(text).has_value(); });
}

int Vesper_discoverIP(const char* address, int, int, int)
{
    return DiscoveryService::Instance().DiscoverAddress(address);
}

int Vesper_discoverHostName(const char* hostName, const char* community, int, int)
{
    return DiscoveryService::Instance().DiscoverHostName(hostName, community);
}

int Vesper_discoverMAC(const char* macAddress, const char* community, int, int)
{
    return DiscoveryService::Instance().DiscoverMac(macAddress, community);
}

int Vesper_startDiscoveringDevices(int filter1, int filter2, int filter3, int filter4, int filter5, int filter6,
                                   int filter7)
{
    const int filter[7] = {filter1, filter2, filter3, filter4, filter5, filter6, filter7};
    return DiscoveryService::Instance().DiscoverAll(filter);
}

int Vesper_getNumDiscoveredDevices(int* count)
{
    return DiscoveryService::Instance().GetCount(count);
}

int Vesper_getModelName(int index, char* buffer, int bufferSize, int* length)
{
    return DiscoveryService::Instance().GetText(index, DeviceText::ModelName, buffer, bufferSize, length);
}

int Vesper_getIPAddress(int index, char* buffer, int bufferSize, int* length)
{
    return DiscoveryService::Instance().GetText(index, DeviceText::IPAddress, buffer, bufferSize, length);
}

int Vesper_getMACAddress(int index, char* buffer, int bufferSize, int* length)
{
    return DiscoveryService::Instance().GetText(index, DeviceText::MACAddress, buffer, bufferSize, length);
}

int Vesper_getHostName(int index, char* buffer, int bufferSize, int* length)
{
    return DiscoveryService::Instance().GetText(index, DeviceText::HostName, buffer, bufferSize, length);
}

int Vesper_getFoundBy(int index, int* foundBy)
{
    return DiscoveryService::Instance().GetFoundBy(index, foundBy);
}

void Vesper_setNoticeFunction(Vesper_NoticeFunction notice)
{
    DiscoveryService::Instance().SetNoticeFunction(notice);
}
