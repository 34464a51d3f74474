// What a simulated device tells over SNMP, and in which versions.
#pragma once

#include <string>

namespace simdevice {

// The SNMP versions a device answers; it stays silent to the others, as a real agent does.
enum class SnmpVersions {
    V1AndV2c,
    V1Only,
    V2cOnly,
};

struct SnmpIdentity {
    std::string address;      // the device's own IPv4 address, e.g. "127.0.0.2"
    std::string modelName;    // hrDeviceDescr.1; empty: the device has no host-resources table
    std::string hostName;     // sysName.0
    std::string macAddress;   // "02:00:7F:00:00:02" (or with "-"); empty: no link-layer address
    std::string description = "Norvik embedded print server";  // sysDescr.0
    SnmpVersions versions = SnmpVersions::V1AndV2c;
};

} // namespace simdevice
