// Where the service looks for devices and how long it waits, read from the environment at each
// discovery call:
//   VESPER_SCOPE       items separated by "," ";" or blanks:
//                        a.b.c.d/n     a subnet, asked through its directed broadcast address
//                                      (n of 31 or 32: its addresses one by one)
//                        a.b.c.d-e.f.g.h or a.b.c.d-h   every address of the range, one by one
//                        a.b.c.d       one address
//                      unset or empty: the directed broadcast of each up, non-loopback IPv4
//                      interface
//   VESPER_TIMEOUT_MS  wait for an answer before asking again (default 500)
//   VESPER_RETRIES     how many times an unanswered address is asked again (default 1)
//   VESPER_QUIET_MS    a search ends once nothing was sent or received for this long (default 750)
//   VESPER_SEARCH_MS   a search ends after this long in any case (default 5000)
//   VESPER_COMMUNITY   SNMP community (default "public")
//   VESPER_PORT        UDP port of the agents (default 161)
//   VESPER_NEIGHBOUR_TABLE  the neighbour table read when a MAC address is searched, in the
//                      format of /proc/net/arp (default /proc/net/arp)
//   VESPER_DNS_SD      "off" (or "0", "no"): search over SNMP alone, without DNS-SD
#pragma once

#include "AddressText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesper {

struct ProbeTarget {
    Ipv4 address = 0;
    bool broadcast = false;

    friend bool operator==(const ProbeTarget&, const ProbeTarget&) = default;
};

struct SearchSettings {
    int timeoutMs = 500;
    int retries = 1;
    int quietMs = 750;
    int searchMs = 5000;
    std::string community = "public";
    unsigned short port = 161;
    std::string neighbourTable = "/proc/net/arp";
    bool dnsSd = true;  // also browse DNS-SD (through the system's avahi-daemon)
};

// Addresses first to last, both included.
struct AddressRange {
    Ipv4 first = 0;
    Ipv4 last = 0;

    friend bool operator==(const AddressRange&, const AddressRange&) = default;
};

// Where a search looks: the targets it asks over SNMP, and the addresses that belong to it (a
// subnet item asked through its broadcast address holds all of its addresses). Devices that
// announce themselves from elsewhere are not listed.
struct SearchScope {
    std::vector<ProbeTarget> targets;
    std::vector<AddressRange> ranges;

    bool Contains(Ipv4 address) const;
};

// The largest number of addresses that one scope may hold.
inline constexpr std::size_t kMaxScopeAddresses = 65536;

// Timing, community, port and neighbour table from the environment; a missing or malformed value keeps its default.
SearchSettings ReadSearchSettings();

// The scope of a scope text; nullopt when an item is malformed or the scope is too large.
std::optional<SearchScope> ParseSearchScope(std::string_view scope);
// Its targets alone.
std::optional<std::vector<ProbeTarget>> ParseScope(std::string_view scope);

// The scope of VESPER_SCOPE, or of the interfaces when it is unset or empty.
std::optional<SearchScope> ReadSearchScope();

} // namespace vesper
