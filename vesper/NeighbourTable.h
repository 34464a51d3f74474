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

// The same for the running system's table.
std::vector<Ipv4> NeighboursWithMac(std::string_view mac);

} // namespace vesper
