// Answers one SNMP v2c request from a device's objects: Get, GetNext and GetBulk.
#pragma once

#include "tools/simdevice/snmp/SnmpMib.h"

#include <optional>
#include <string>

namespace simdevice {

// The largest number of repetitions a GetBulk is answered with.
inline constexpr long kMaxRepetitions = 32;

// The response, or nullopt when the request is not answered (another community, or a request
// that only reads nothing: Set, traps, responses).
std::optional<vesper::SnmpMessage> Respond(const vesper::SnmpMessage& request, const SnmpMib& mib,
                                           const std::string& community);

} // namespace simdevice
