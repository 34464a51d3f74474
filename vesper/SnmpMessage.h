// SNMP v2c messages as plain values, encoded and decoded by net-snmp. Both the service and the
// simulated device's agent use it; neither sees net-snmp's own types.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesper {

using Oid = std::vector<std::uint32_t>;

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
    PduType type = PduType::Get;
    std::int32_t requestId = 0;
    std::string community;
    // For GetBulk these two hold non-repeaters and max-repetitions.
    long errorStatus = 0;
    long errorIndex = 0;
    std::vector<VarBind> varbinds;
};

// The BER bytes of a v2c message, or nullopt when net-snmp cannot build it.
std::optional<std::string> EncodeMessage(const SnmpMessage& message);
// The message in a datagram; nullopt for anything that is not a well-formed v2c message.
std::optional<SnmpMessage> DecodeMessage(std::string_view datagram);

// True when name lies under prefix (equal to it or below it).
bool OidStartsWith(const Oid& name, const Oid& prefix);

} // namespace vesper
