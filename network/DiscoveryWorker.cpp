#include "network/DiscoveryWorker.h"

#include "network/DeviceListFile.h"
#include "network/DeviceQueries.h"
#include "network/DiscoveryLibrary.h"

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
    Discovery().Startup(1);
    DiscoveryRecord record{state->modelName, 0};
    StartDiscovery();
    SaveDiscoveredDevices(record, *state);
    state->deviceCount = record.listedCount;
    if (auto window = state->windowHandle.lock())
        window->PostMessage(WM_DISCOVERY_DONE, 0, 0);
    Discovery().Shutdown(1);
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
