// The one request that asks a device for everything the service reports, and its answer.
#pragma once

#include "SnmpMessage.h"

#include <string>

namespace vesper {

struct DeviceFacts {
    std::string modelName;   // hrDeviceDescr.1, else sysDescr.0
    std::string hostName;    // sysName.0
    std::string macAddress;  // the first 6-byte ifPhysAddress, as "00:1B:2C:3D:4E:5F"
};

// How many interfaces one request looks at for a MAC address.
inline constexpr int kInterfacesAsked = 8;

// A GetBulk: three single steps (hrDeviceDescr, sysDescr, sysName) and a walk of ifPhysAddress.
SnmpMessage MakeDeviceQuery(std::int32_t requestId, const std::string& community);

// The facts in an answer to MakeDeviceQuery; what the device lacks stays empty.
DeviceFacts ReadDeviceFacts(const SnmpMessage& answer);

} // namespace vesper
