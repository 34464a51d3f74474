// The requests that ask a device for everything the service reports, and their answers.
#pragma once

#include "SnmpMessage.h"

#include <cstdint>
#include <string>

namespace vesper {

struct DeviceFacts {
    std::string modelName;   // hrDeviceDescr.1, else sysDescr.0
    std::string hostName;    // sysName.0
    std::string macAddress;  // the first 6-byte ifPhysAddress, as "00:1B:2C:3D:4E:5F"
};

// How many interfaces one request looks at for a MAC address.
inline constexpr int kInterfacesAsked = 8;

// v2c: a GetBulk of three single steps (hrDeviceDescr, sysDescr, sysName) and a walk of
// ifPhysAddress.
SnmpMessage MakeDeviceQuery(std::int32_t requestId, const std::string& community);

// v1 has no GetBulk: one GetNext of hrDeviceDescr.0, sysDescr, sysName and ifPhysAddress.0 to
// ifPhysAddress.7, which lands on the same objects. A v1 agent refuses the whole request when
// one of them has no successor in its view, so a query names the objects it asks as a set of
// bits: bit i stands for the i-th of that list.
using V1Objects = std::uint32_t;
inline constexpr int kV1ObjectCount = 3 + kInterfacesAsked;
inline constexpr V1Objects kAllV1Objects = (V1Objects(1) << kV1ObjectCount) - 1;

SnmpMessage MakeDeviceQueryV1(std::int32_t requestId, const std::string& community, V1Objects objects);

// The objects left to ask after an agent refused the request for `objects` with noSuchName:
// errorIndex names the refused one, counting from 1 among those asked. 0 (nothing worth asking)
// when the index names none of them.
V1Objects WithoutRefused(V1Objects objects, long errorIndex);

// The facts in an answer to either query; what the device lacks stays empty.
DeviceFacts ReadDeviceFacts(const SnmpMessage& answer);

} // namespace vesper
