// What a simulated device tells over SNMP.
#pragma once

#include <string>

namespace simdevice {

struct SnmpIdentity {
    std::string address;      // the device's own IPv4 address, e.g. "127.0.0.2"
    std::string modelName;    // hrDeviceDescr.1; empty: the device has no host-resources table
    std::string hostName;     // sysName.0
    std::string macAddress;   // "02:00:7F:00:00:02" (or with "-"); empty: no link-layer address
    std::string description = "Norvik embedded print server";  // sysDescr.0
};

} // namespace simdevice
