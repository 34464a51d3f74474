// The objects through which a device tells its model, host name and MAC address.
#pragma once

#include "SnmpMessage.h"

namespace vesper::oids {

inline const Oid kSysDescr = {1, 3, 6, 1, 2, 1, 1, 1};           // .0: system description
inline const Oid kSysName = {1, 3, 6, 1, 2, 1, 1, 5};            // .0: host name
inline const Oid kIfPhysAddress = {1, 3, 6, 1, 2, 1, 2, 2, 1, 6};  // .ifIndex: link-layer address
inline const Oid kHrDeviceDescr = {1, 3, 6, 1, 2, 1, 25, 3, 2, 1, 3};  // .1: the printer's model

// An object's instance: prefix + index.
inline Oid Instance(const Oid& prefix, std::uint32_t index)
{
    Oid name = prefix;
    name.push_back(index);
    return name;
}

} // namespace vesper::oids
