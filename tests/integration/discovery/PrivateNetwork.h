// Gives the running test a network of its own: a new network namespace with only loopback up,
// so that SNMP agents can bind 127.0.0.x:161 without meeting those of a test running beside it,
// and nothing can reach another machine. Optionally a mount namespace with its own /etc/hosts.
// Call before the test starts any thread. Needs root (the test command runs as root).
#pragma once

#include <string>

namespace discoverytest {

// False (with the reason in error) when the namespace cannot be made.
bool EnterPrivateNetwork(std::string& error);

// Makes /etc/hosts of this process (and its children) hold exactly content.
bool UsePrivateHostsFile(const std::string& content, std::string& error);

// A veth pair in the private network: one end with hostAddress, the other with deviceAddress,
// both in one /24 whose broadcast address works like that of a real LAN.
bool AddEthernetSegment(const std::string& hostAddress, const std::string& deviceAddress, std::string& error);

} // namespace discoverytest
