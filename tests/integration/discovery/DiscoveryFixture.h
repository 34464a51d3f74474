// Shared set-up of the discovery tests: a private network, short search times, and simulated
// devices answering SNMP on 127.0.0.x.
#pragma once

#include "integration/discovery/PrivateNetwork.h"
#include "tools/simdevice/snmp/SnmpAgent.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace discoverytest {

// A supported model (of the library's managed list) and one that no list holds.
inline constexpr const char* kSupportedModel = "Norvik Kelvane KV4250 MFP";
inline constexpr const char* kUnsupportedModel = "Norvik Kelvane KX1000 MFP";

// Device n: 127.0.0.n, host name "kelvane-n", MAC 02:00:7F:00:00:nn (n in hex).
inline simdevice::SnmpIdentity TestDevice(int n, std::string model = kSupportedModel)
{
    char mac[18];
    std::snprintf(mac, sizeof mac, "02:00:7F:00:00:%02X", n);
    return {"127.0.0." + std::to_string(n), std::move(model), "kelvane-" + std::to_string(n), mac};
}

// Enters the private network and sets search times that keep each test well under a second.
class DiscoveryFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(EnterPrivateNetwork(error)) << error;
        setenv("VESPER_SCOPE", "127.0.0.1-127.0.0.40", 1);
        setenv("VESPER_TIMEOUT_MS", "60", 1);
        setenv("VESPER_RETRIES", "1", 1);
        setenv("VESPER_QUIET_MS", "60", 1);
        setenv("VESPER_SEARCH_MS", "3000", 1);
        // SNMP alone unless a test starts a system bus and avahi-daemon of its own (PrivateAvahi);
        // even then, never the machine's bus.
        setenv("VESPER_DNS_SD", "off", 1);
        setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/system_bus_socket", 1);
    }

    // Starts an agent with these devices; the test fails when one cannot be bound.
    void Serve(simdevice::SnmpAgent& agent, std::initializer_list<simdevice::SnmpIdentity> devices)
    {
        for (const auto& device : devices)
            ASSERT_TRUE(agent.AddDevice(device)) << device.address;
        ASSERT_TRUE(agent.Start());
    }
};

} // namespace discoverytest
