// Simulated devices on 127.0.0.n of a test's private network: each one's web server on port 443
// and, through one SNMP agent, the identity of discoverytest::TestDevice(n). Stopped when the
// object goes.
#pragma once

#include "integration/discovery/DiscoveryFixture.h"
#include "tools/simdevice/SimulatedDevice.h"
#include "tools/simdevice/snmp/SnmpAgent.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class SimulatedNetwork {
public:
    SimulatedNetwork() = default;
    SimulatedNetwork(const SimulatedNetwork&) = delete;
    SimulatedNetwork& operator=(const SimulatedNetwork&) = delete;
    ~SimulatedNetwork()
    {
        for (auto& device : devices)
            device->Stop();
    }

    // Device n with the web server's model name; call before Start.
    simdevice::SimulatedDevice& AddDevice(int n, simdevice::Profile profile = simdevice::Profile::ManagedGranted,
                                          std::string model = discoverytest::kSupportedModel)
    {
        devices.push_back(std::make_unique<simdevice::SimulatedDevice>(profile));
        simdevice::SimulatedDevice& device = *devices.back();
        device.SetModelName(model);
        EXPECT_TRUE(device.Start("127.0.0." + std::to_string(n), 443));
        EXPECT_TRUE(agent.AddDevice(discoverytest::TestDevice(n, model)));
        return device;
    }
    // Starts the SNMP agent of the devices added so far.
    bool Start() { return agent.Start(); }

    simdevice::SnmpAgent agent;
    std::vector<std::unique_ptr<simdevice::SimulatedDevice>> devices;
};
