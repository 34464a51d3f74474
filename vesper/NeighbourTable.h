// The kernel's neighbour (ARP) table: which IPv4 addresses on the attached networks use a MAC
// address. Loopback has no such table; on a real network it finds a device whose SNMP answer
// names another interface's MAC.
#pragma once

#include "AddressText.h"

#include <string_view>
#include <vector>

namespace vesper {

// The addresses of complete entries with this MAC (six bytes) in the text of /proc/net/arp.
std::vector<Ipv4> AddressesWithMac(std::string_view arpTable, std::string_view mac);

// The same for the table in a file (the running system's is /proc/net/arp); none when the file
// cannot be read.
std::vector<Ipv4> NeighboursWithMac(const std::string& tablePath, std::string_view mac);

} // namespace vesper
