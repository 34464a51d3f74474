// The network search over 254 loopback addresses with the service's default timing, over SNMP
// alone and over SNMP with DNS-SD beside it: 20 SNMP-only devices, 5 that answer both and 5 that
// only announce themselves (SNMP switched off). Prints the median time of each and their ratio
// (goal: at most 1.10) and what each found. Runs inside the namespace that bench/dns-sd-search
// makes (its own avahi-daemon announcing the DNS-SD devices); arguments: [RUNS].
#include "tools/simdevice/snmp/SnmpAgent.h"
#include "vesper/vesperextensions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// SNMP-only devices at 127.0.0.12, .24, ... .240; the dual ones at .13, .25, ... .61 (the DNS-SD-only
// ones, at .14, .26, ... .62, are announced by the script).
bool StartAgents(simdevice::SnmpAgent& agent)
{
    for (int i = 1; i <= 20; ++i)
        if (!agent.AddDevice({"127.0.0." + std::to_string(i * 12), "Norvik Kelvane KV4250 MFP",
                              "kelvane-" + std::to_string(i), "02:00:7F:00:00:" + std::to_string(10 + i)}))
            return false;
    for (int i = 1; i <= 5; ++i)
        if (!agent.AddDevice({"127.0.0." + std::to_string(i * 12 + 1), "Norvik Kelvane KV4250 MFP",
                              "dual-" + std::to_string(i), "02:00:7F:00:00:" + std::to_string(40 + i)}))
            return false;
    return agent.Start();
}

struct Counts {
    int all = 0, snmp = 0, dnsSd = 0, both = 0;
};

Counts Found()
{
    Counts counts;
    Vesper_getNumDiscoveredDevices(&counts.all);
    for (int i = 0; i < counts.all; ++i) {
        int foundBy = 0;
        Vesper_getFoundBy(i, &foundBy);
        counts.snmp += foundBy == VESPER_FOUND_BY_SNMP;
        counts.dnsSd += foundBy == VESPER_FOUND_BY_DNS_SD;
        counts.both += foundBy == (VESPER_FOUND_BY_SNMP | VESPER_FOUND_BY_DNS_SD);
    }
    return counts;
}

double MedianSearchMs(const char* dnsSd, int runs, Counts& counts)
{
    setenv("VESPER_DNS_SD", dnsSd, 1);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        Vesper_startDiscoveringDevices(0, 0, 0, 1, 3, 4, 32);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        counts = Found();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Notice(const char* text)
{
    std::fprintf(stderr, "notice: %s\n", text);
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    simdevice::SnmpAgent agent;
    if (!StartAgents(agent)) {
        std::fprintf(stderr, "cannot bind the agents: run bench/dns-sd-search (as root)\n");
        return 1;
    }
    setenv("VESPER_SCOPE", "127.0.0.1-127.0.0.254", 1);
    Vesper_setNoticeFunction(Notice);
    Vesper_startup(1);
    Counts snmpCounts, bothCounts;
    const double snmpMs = MedianSearchMs("off", runs, snmpCounts);
    const double bothMs = MedianSearchMs("on", runs, bothCounts);
    Vesper_shutdown(1);
    std::printf("search over SNMP alone:     %7.1f ms (median of %d), %d devices\n", snmpMs, runs, snmpCounts.all);
    std::printf("search over SNMP and DNS-SD: %6.1f ms (median of %d), %d devices: %d SNMP only, %d DNS-SD only, "
                "%d both\n",
                bothMs, runs, bothCounts.all, bothCounts.snmp, bothCounts.dnsSd, bothCounts.both);
    std::printf("ratio: %.3f (goal: at most 1.100)\n", bothMs / snmpMs);
    return bothCounts.all == 30 && bothCounts.dnsSd == 5 && bothCounts.both == 5 ? 0 : 2;
}
