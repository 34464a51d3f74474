// SNMP agents of simulated devices: one UDP socket per device, bound to the device's own address,
// all served by one thread. Devices can be added while the agent runs. Each device answers the
// SNMP versions its identity names.
//
// A request that arrives at a broadcast address added with AddBroadcastAddress is answered by
// every device, each from its own socket, so that the answer comes from the device's address
// (an answer from the broadcast address itself would be refused by the kernel).
#pragma once

#include "tools/simdevice/snmp/SnmpIdentity.h"

#include <memory>
#include <string>

namespace simdevice {

class SnmpAgent {
public:
    explicit SnmpAgent(std::string community = "public", unsigned short port = 161);
    ~SnmpAgent();
    SnmpAgent(const SnmpAgent&) = delete;
    SnmpAgent& operator=(const SnmpAgent&) = delete;

    // Binds identity.address:port; false when the address is malformed or cannot be bound.
    bool AddDevice(const SnmpIdentity& identity);
    // Listens on a broadcast address as well (several agents may share one).
    bool AddBroadcastAddress(const std::string& address);

    // Serves until Stop or destruction. False when the thread cannot start.
    bool Start();
    void Stop();

    // Requests received so far, answered or not.
    unsigned long RequestCount() const;

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace simdevice
