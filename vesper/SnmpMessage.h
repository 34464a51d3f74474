// Community-based SNMP messages (v1 and v2c) as plain values, encoded and decoded by net-snmp.
// Both the service and the simulated device's agent use it; neither sees net-snmp's own types.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesper {

using Oid = std::vector<std::uint32_t>;

// The version field's values.
enum class SnmpVersion : long {
    V1 = 0,
    V2c = 1,
};

// The one error status the service acts on: a v1 agent refuses a whole request with it when one
// of the asked objects is missing (Get) or has no successor in its view (GetNext). The error
// index then names that object, counting from 1.
inline constexpr long kNoSuchName = 2;

// PDU types (the BER tags of RFC 3416).
enum class PduType : std::uint8_t {
    Get = 0xA0,
    GetNext = 0xA1,
    Response = 0xA2,
    GetBulk = 0xA5,
};

enum class ValueKind {
    Null,
    OctetString,
    NoSuchObject,
    NoSuchInstance,
    EndOfMibView,
    Other,  // any other type: kept only as a marker
};

struct VarBind {
    Oid name;
    ValueKind kind = ValueKind::Null;
    std::string bytes;  // the octet string's bytes
};

struct SnmpMessage {
    SnmpVersion version = SnmpVersion::V2c;
    PduType type = PduType::Get;
    std::int32_t requestId = 0;
    std::string community;
    // For GetBulk these two hold non-repeaters and max-repetitions.
    long errorStatus = 0;
    long errorIndex = 0;
    std::vector<VarBind> varbinds;
};

// The BER bytes of a message, or nullopt when net-snmp cannot build it (a GetBulk or an exception
// value in a v1 message among others).
std::optional<std::string> EncodeMessage(const SnmpMessage& message);
// The message in a datagram; nullopt for anything that is not a well-formed v1 or v2c message.
std::optional<SnmpMessage> DecodeMessage(std::string_view datagram);

// True when name lies under prefix (equal to it or below it).
bool OidStartsWith(const Oid& name, const Oid& prefix);

} // namespace vesper
