#include "network/DiscoveryLibrary.h"

#include "common/log/ProgramLog.h"
#include "platform/core/CString.h"
#include "platform/core/Services.h"
#include "vesper/vesperextensions.h"

namespace {

void LogNotice(const char* text)
{
    ProgramLog().Line(CString(u"Vesper: ") + CString::FromUtf8(text));
}

class Vespersdk : public IDiscoveryLibrary {
public:
    Vespersdk() { Vesper_setNoticeFunction(LogNotice); }

    int Startup(int flags) override { return Vesper_startup(flags); }
    int Shutdown(int flags) override { return Vesper_shutdown(flags); }

    int IsValidIPAddress(const char* address) override { return Vesper_isValidIPAddress(address); }
    int IsValidIPHostname(const char* hostName) override { return Vesper_isValidIPHostname(hostName); }
    int IsValidMACAddress(const char* macAddress) override { return Vesper_isValidMACAddress(macAddress); }

    int DiscoverIP(const char* address, int reserved1, int reserved2, int reserved3) override
    {
        return Vesper_discoverIP(address, reserved1, reserved2, reserved3);
    }
    int DiscoverHostName(const char* hostName, const char* community, int reserved1, int reserved2) override
    {
        return Vesper_discoverHostName(hostName, community, reserved1, reserved2);
    }
    int DiscoverMAC(const char* macAddress, const char* community, int reserved1, int reserved2) override
    {
        return Vesper_discoverMAC(macAddress, community, reserved1, reserved2);
    }
    int StartDiscoveringDevices(int filter1, int filter2, int filter3, int filter4, int filter5, int filter6,
                                int filter7) override
    {
        return Vesper_startDiscoveringDevices(filter1, filter2, filter3, filter4, filter5, filter6, filter7);
    }

    int GetNumDiscoveredDevices(int* count) override { return Vesper_getNumDiscoveredDevices(count); }
    int GetModelName(int index, char* buffer, int bufferSize, int* length) override
    {
        return Vesper_getModelName(index, buffer, bufferSize, length);
    }
    int GetIPAddress(int index, char* buffer, int bufferSize, int* length) override
    {
        return Vesper_getIPAddress(index, buffer, bufferSize, length);
    }
    int GetMACAddress(int index, char* buffer, int bufferSize, int* length) override
    {
        return Vesper_getMACAddress(index, buffer, bufferSize, length);
    }
    int GetHostName(int index, char* buffer, int bufferSize, int* length) override
    {
        return Vesper_getHostName(index, buffer, bufferSize, length);
    }
};

} // namespace

int IDiscoveryLibrary::GetFoundBy(int index, int* foundBy)
{
    return Vesper_getFoundBy(index, foundBy);
}

IDiscoveryLibrary& IDiscoveryLibrary::Default()
{
    // Never destroyed: a worker thread may still call it while the process ends.
    static Vespersdk* library = new Vespersdk;
    return *library;
}

IDiscoveryLibrary& Discovery()
{
    return platform::Use<IDiscoveryLibrary>();
}
