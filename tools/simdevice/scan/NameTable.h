// The device's name service: the host names it was told, as a device is given DNS or WINS
// servers. The simulated device reaches loopback addresses only, so every address in the table
// and every dotted address it is asked for lies in 127.0.0.0/8.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace simdevice {

class NameTable {
public:
    NameTable() = default;
    // Host name → dotted IPv4 address. Entries whose address is not a loopback address are
    // left out; names differing only in letter case are one name (the last one wins).
    explicit NameTable(const std::map<std::string, std::string>& entries);

    // The address of host: host itself when it is a dotted loopback address, else the table's
    // entry compared without ASCII letter case; nothing when neither.
    std::optional<std::string> Resolve(const std::string& host) const;

private:
    std::map<std::string, std::string> addresses_;  // by lower-case name
};

// Splits "HOST=ADDRESS" (a program option) into the table's entry; false when there is no '=',
// no name, or the address is not a dotted loopback address.
bool ParseNameEntry(const std::string& text, std::string& host, std::string& address);

} // namespace simdevice
