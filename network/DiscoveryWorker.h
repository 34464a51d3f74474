// List mode's worker: searches the network, writes "NtwkDevList.js" and tells the progress page.
#pragma once

#include "network/NetworkState.h"

// The worker's body: its own Vesper_startup/Vesper_shutdown pair around StartDiscovery and
// SaveDiscoveredDevices; sets state->deviceCount and posts WM_DISCOVERY_DONE (both parameters 0)
// to state->windowHandle. Returns state->workerResult.
unsigned DiscoveryWorker(NetworkState* state);

// Runs DiscoveryWorker on a new thread (the progress page does this when it opens).
void StartDiscoveryWorker(NetworkState* state);

// Waits for every worker started. The program calls it at its end, after its last
// Vesper_shutdown has stopped a search still under way, so that no worker outlives the process's
// own objects.
void JoinDiscoveryWorkers();
