// Answers one SNMP request from a device's objects: Get, GetNext and GetBulk in v2c; Get and
// GetNext in v1, where a missing object fails the whole request with noSuchName.
#pragma once

#include "tools/simdevice/snmp/SnmpIdentity.h"
#include "tools/simdevice/snmp/SnmpMib.h"

#include <optional>
#include <string>

namespace simdevice {

// The largest number of repetitions a GetBulk is answered with.
inline constexpr long kMaxRepetitions = 32;

// The response, or nullopt when the request is not answered (another community, a version the
// device does not speak, or a request that only reads nothing: Set, traps, responses, and GetBulk
// in v1).
std::optional<vesper::SnmpMessage> Respond(const vesper::SnmpMessage& request, const SnmpMib& mib,
                                           const std::string& community, SnmpVersions versions);

} // namespace simdevice
