// The network search over 254 loopback addresses with 20 simulated devices, with the service's
// default timing: time to finish and devices found (goal: all 20 in under 1.5 s). For comparison,
// a widely used printer discovery backend waits 2 s for silence after its broadcast alone.
// Runs inside a private network namespace (bench/run), as root (the agents bind port 161).
#include "tools/simdevice/snmp/SnmpAgent.h"
#include "vesper/vespersdk.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kDevices = 20;

simdevice::SnmpAgent& Agents()
{
    static simdevice::SnmpAgent agent;
    static bool started = [] {
        // Spread over the range: 127.0.0.12, .24, ... .240.
        for (int i = 1; i <= kDevices; ++i) {
            std::string address = "127.0.0." + std::to_string(i * 12);
            if (!agent.AddDevice({address, "Norvik Kelvane KV4250 MFP", "kelvane-" + std::to_string(i),
                                  "02:00:7F:00:00:" + std::to_string(10 + i)}))
                return false;
        }
        return agent.Start();
    }();
    if (!started) {
        std::fprintf(stderr, "cannot bind the agents: run as root inside a private network namespace\n");
        std::abort();
    }
    return agent;
}

void SearchLoopbackRange(benchmark::State& state, const char* quietMs)
{
    Agents();
    setenv("VESPER_SCOPE", "127.0.0.1-127.0.0.254", 1);
    if (quietMs)
        setenv("VESPER_QUIET_MS", quietMs, 1);
    else
        unsetenv("VESPER_QUIET_MS");
    Vesper_startup(1);
    int found = 0;
    for (auto _ : state) {
        Vesper_startDiscoveringDevices(0, 0, 0, 1, 3, 4, 32);
        Vesper_getNumDiscoveredDevices(&found);
    }
    Vesper_shutdown(1);
    state.counters["devices_found"] = found;
    state.counters["devices_expected"] = kDevices;
}

void BM_SearchDefaultTiming(benchmark::State& state) { SearchLoopbackRange(state, nullptr); }
void BM_SearchQuiet200ms(benchmark::State& state) { SearchLoopbackRange(state, "200"); }

} // namespace

BENCHMARK(BM_SearchDefaultTiming)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_SearchQuiet200ms)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

BENCHMARK_MAIN();
