// The discovery service's call table (vesper/vespersdk.h) as TarrowNetwork calls it. The program
// reaches the service only through platform::Use<IDiscoveryLibrary>(), so that a test can put a
// service in its place that fails chosen calls. Each function returns what its Vesper_ call
// returns: 0 on success, else the service's error number (vespersdk.h).
#pragma once

class IDiscoveryLibrary {
public:
    virtual ~IDiscoveryLibrary() = default;

    virtual int Startup(int flags) = 0;
    virtual int Shutdown(int flags) = 0;

    virtual int IsValidIPAddress(const char* address) = 0;
    virtual int IsValidIPHostname(const char* hostName) = 0;
    virtual int IsValidMACAddress(const char* macAddress) = 0;

    virtual int DiscoverIP(const char* address, int reserved1, int reserved2, int reserved3) = 0;
    virtual int DiscoverHostName(const char* hostName, const char* community, int reserved1, int reserved2) = 0;
    virtual int DiscoverMAC(const char* macAddress, const char* community, int reserved1, int reserved2) = 0;
    virtual int StartDiscoveringDevices(int filter1, int filter2, int filter3, int filter4, int filter5, int filter6,
                                        int filter7) = 0;

    virtual int GetNumDiscoveredDevices(int* count) = 0;
    virtual int GetModelName(int index, char* buffer, int bufferSize, int* length) = 0;
    virtual int GetIPAddress(int index, char* buffer, int bufferSize, int* length) = 0;
    virtual int GetMACAddress(int index, char* buffer, int bufferSize, int* length) = 0;
    virtual int GetHostName(int index, char* buffer, int bufferSize, int* length) = 0;
    // How the device was found: bits VESPER_FOUND_BY_SNMP and VESPER_FOUND_BY_DNS_SD
    // (vesper/vesperextensions.h). A service in a test's place may leave it to the linked one.
    virtual int GetFoundBy(int index, int* foundBy);

    static constexpr const char* kServiceName = "DiscoveryLibrary";
    // The linked vespersdk; its notices go to the program's log.
    static IDiscoveryLibrary& Default();
};

// The service in use: platform::Use<IDiscoveryLibrary>().
IDiscoveryLibrary& Discovery();
