// The state behind the call table: start-up pairs, the running search and the last device list.
#pragma once

#include "DeviceQuery.h"
#include "FoundDevices.h"
#include "SnmpProbe.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace vesper {

enum class DeviceText { ModelName, IPAddress, MACAddress, HostName };

// How a search asks DNS-SD: not at all, beside SNMP (a network search), or after SNMP when SNMP
// was silent (an address check: a device that answers over SNMP is not kept waiting).
enum class DnsSdUse { Off, Beside, WhenSilent };

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
    int GetFoundBy(int index, int* foundBy);

    using NoticeFunction = void (*)(const char*);
    void SetNoticeFunction(NoticeFunction notice);

private:
    DiscoveryService() = default;

    // Opens a search: the service must be started and idle. Empties the list.
    int BeginSearch();
    // Closes it: keeps the devices unless the search was cancelled or could not run.
    int EndSearch(ProbeStatus status, std::vector<FoundDevice> devices);
    // Closes a search that failed before it sent anything.
    int AbandonSearch(int error);
    ProbeOutcome Probe(ProbePlan plan);

    // Which DNS-SD devices a search lists (by address and facts).
    using Listed = std::function<bool(Ipv4, const DeviceFacts&)>;
    struct SearchOutcome {
        ProbeStatus status = ProbeStatus::Finished;
        std::vector<FoundDevice> devices;
    };
    // The SNMP probe and a DNS-SD browse as dnsSd says: beside the probe, ending with it (give or
    // take a twentieth of the probe's time), or after a probe that nothing answered; the answers
    // merged. Without targets, a browse beside waits for as long as an unanswered address would
    // be asked, and one after SNMP starts at once.
    SearchOutcome Search(ProbePlan plan, DnsSdUse dnsSd, const Listed& listed);
    // Says once per process that DNS-SD could not be used.
    void NoticeDnsSdMissing(const std::string& problem);
    // The device at index, or null; under the lock.
    const FoundDevice* Device(int index, int& error);

    std::mutex m_mutex;
    std::condition_variable m_idle;
    int m_startups = 0;
    bool m_searching = false;
    int m_cancelFd = -1;  // an eventfd while a search runs
    std::vector<FoundDevice> m_devices;
    NoticeFunction m_notice = nullptr;
    bool m_dnsSdMissingNoticed = false;
};

} // namespace vesper
