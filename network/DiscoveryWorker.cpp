#include "network/DiscoveryWorker.h"

#include "network/DeviceListFile.h"
#include "network/DeviceQueries.h"
#include "vesper/vespersdk.h"

#include <mutex>
#include <thread>
#include <vector>

namespace {

std::mutex workersMutex;
std::vector<std::thread>& Workers()
{
    static std::vector<std::thread> workers;
    return workers;
}

} // namespace

unsigned DiscoveryWorker(NetworkState* state)
{
    state->workerResult = 0;
    Vesper_startup(1);
    DiscoveryRecord record{state->modelName, 0};
    StartDiscovery();
    SaveDiscoveredDevices(record, *state);
    state->deviceCount = record.listedCount;
    if (auto window = state->windowHandle.lock())
        window->PostMessage(WM_DISCOVERY_DONE, 0, 0);
    Vesper_shutdown(1);
    return static_cast<unsigned>(state->workerResult);
}

void StartDiscoveryWorker(NetworkState* state)
{
    std::lock_guard lock(workersMutex);
    Workers().emplace_back([state] { DiscoveryWorker(state); });
}

void JoinDiscoveryWorkers()
{
    std::vector<std::thread> workers;
    {
        std::lock_guard lock(workersMutex);
        workers.swap(Workers());
    }
    for (std::thread& worker : workers)
        worker.join();
}
