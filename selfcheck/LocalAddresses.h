// The addresses of this computer's network interfaces that other devices can reach.
#pragma once

#include <string>
#include <vector>

namespace selfcheck {

struct InterfaceAddress {
    std::string interfaceName; // "eth0"
    int family = 0;            // AF_INET or AF_INET6
    std::string address;       // numeric form
};

// The addresses of the interfaces that are up, without loopback and IPv6 link-local addresses
// (a device's path names no link-local address), in the order getifaddrs lists them.
std::vector<InterfaceAddress> NetworkAddresses();

} // namespace selfcheck
