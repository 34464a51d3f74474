// The state behind the call table: start-up pairs, the running search and the last device list.
#pragma once

#include "DeviceQuery.h"
#include "SnmpProbe.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace vesper {

struct FoundDevice {
    Ipv4 address = 0;
    DeviceFacts facts;
};

enum class DeviceText { ModelName, IPAddress, MACAddress, HostName };

class DiscoveryService {
public:
    // The one service of the process. It is never destroyed: a thread may still be inside a
    // search while the process ends.
    static DiscoveryService& Instance();

    int Startup();
    int Shutdown();

    int DiscoverAddress(const char* address);
    int DiscoverHostName(const char* hostName, const char* community);
    int DiscoverMac(const char* macAddress, const char* community);
    int DiscoverAll(const int (&filter)[7]);

    int GetCount(int* count);
    int GetText(int index, DeviceText which, char* buffer, int bufferSize, int* length);

private:
    DiscoveryService() = default;

    // Opens a search: the service must be started and idle. Empties the list.
    int BeginSearch();
    // Closes it: keeps the devices unless the search was cancelled or could not run.
    int EndSearch(ProbeStatus status, std::vector<FoundDevice> devices);
    // Closes a search that failed before it sent anything.
    int AbandonSearch(int error);
    ProbeOutcome Probe(ProbePlan plan);

    std::mutex m_mutex;
    std::condition_variable m_idle;
    int m_startups = 0;
    bool m_searching = false;
    int m_cancelFd = -1;  // an eventfd while a search runs
    std::vector<FoundDevice> m_devices;
};

} // namespace vesper
