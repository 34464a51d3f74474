#include "SnmpMessage.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#ifndef NETSNMP_USE_REVERSE_ASNENCODING
#error "net-snmp builds messages back to front here; see EncodeMessage"
#endif

namespace vesper {

namespace {

constexpr std::size_t kMaxDatagram = 65507;

// A session record as snmp_build and snmp_parse want one; it never opens a socket.
netsnmp_session MakeSession(long version)
{
    static std::once_flag once;
    static netsnmp_session prototype;
    std::call_once(once, [] { snmp_sess_init(&prototype); });
    netsnmp_session session = prototype;
    session.version = version;
    return session;
}

struct PduDeleter {
    void operator()(netsnmp_pdu* pdu) const { snmp_free_pdu(pdu); }
};
using PduPtr = std::unique_ptr<netsnmp_pdu, PduDeleter>;

u_char TypeOf(ValueKind kind)
{
    switch (kind) {
    case ValueKind::OctetString: return ASN_OCTET_STR;
    case ValueKind::NoSuchObject: return SNMP_NOSUCHOBJECT;
    case ValueKind::NoSuchInstance: return SNMP_NOSUCHINSTANCE;
    case ValueKind::EndOfMibView: return SNMP_ENDOFMIBVIEW;
    case ValueKind::Null:
    case ValueKind::Other: break;
    }
    return ASN_NULL;
}

ValueKind KindOf(u_char type)
{
    switch (type) {
    case ASN_OCTET_STR: return ValueKind::OctetString;
    case ASN_NULL: return ValueKind::Null;
    case SNMP_NOSUCHOBJECT: return ValueKind::NoSuchObject;
    case SNMP_NOSUCHINSTANCE: return ValueKind::NoSuchInstance;
    case SNMP_ENDOFMIBVIEW: return ValueKind::EndOfMibView;
    default: return ValueKind::Other;
    }
}

// The version field of a message; only community-based v1 and v2c are parsed at all: the other
// versions take paths through net-snmp that expect a full session. -1 for anything else.
long CommunityVersion(std::vector<u_char>& data)
{
    std::size_t length = data.size();
    u_char type = 0;
    u_char* rest = asn_parse_sequence(data.data(), &length, &type, ASN_SEQUENCE | ASN_CONSTRUCTOR, "message");
    long version = -1;
    if (rest)
        rest = asn_parse_int(rest, &length, &type, &version, sizeof version);
    return rest && (version == SNMP_VERSION_1 || version == SNMP_VERSION_2c) ? version : -1;
}

} // namespace

std::optional<std::string> EncodeMessage(const SnmpMessage& message)
{
    PduPtr pdu(snmp_pdu_create(static_cast<int>(message.type)));
    if (!pdu)
        return std::nullopt;
    const long version = static_cast<long>(message.version);
    pdu->version = version;
    pdu->reqid = message.requestId;
    pdu->errstat = message.errorStatus;
    pdu->errindex = message.errorIndex;
    pdu->community = static_cast<u_char*>(std::malloc(message.community.size() + 1));
    if (!pdu->community)
        return std::nullopt;
    std::memcpy(pdu->community, message.community.data(), message.community.size());
    pdu->community_len = message.community.size();
    for (const VarBind& bind : message.varbinds) {
        std::vector<oid> name(bind.name.begin(), bind.name.end());
        const void* value = bind.kind == ValueKind::OctetString ? bind.bytes.data() : nullptr;
        std::size_t length = bind.kind == ValueKind::OctetString ? bind.bytes.size() : 0;
        if (!snmp_pdu_add_variable(pdu.get(), name.data(), name.size(), TypeOf(bind.kind), value, length))
            return std::nullopt;
    }
    netsnmp_session session = MakeSession(version);
    std::size_t size = 1024;
    auto* buffer = static_cast<u_char*>(std::malloc(size));
    if (!buffer)
        return std::nullopt;
    std::size_t offset = 0;
    int result = snmp_build(&buffer, &size, &offset, &session, pdu.get());
    // Built back to front: the message is the last `offset` bytes of the buffer.
    const bool built = result == 0 && offset <= size && offset <= kMaxDatagram;
    std::string bytes;
    if (built)
        bytes.assign(reinterpret_cast<const char*>(buffer + size - offset), offset);
    std::free(buffer);
    if (!built)
        return std::nullopt;
    return bytes;
}

std::optional<SnmpMessage> DecodeMessage(std::string_view datagram)
{
    if (datagram.empty() || datagram.size() > kMaxDatagram)
        return std::nullopt;
    // snmp_parse works on a writable copy.
    std::vector<u_char> data(datagram.begin(), datagram.end());
    const long version = CommunityVersion(data);
    if (version < 0)
        return std::nullopt;
    netsnmp_session session = MakeSession(version);
    PduPtr pdu(static_cast<netsnmp_pdu*>(std::calloc(1, sizeof(netsnmp_pdu))));
    if (!pdu)
        return std::nullopt;
    if (snmp_parse(nullptr, &session, pdu.get(), data.data(), data.size()) != 0 || pdu->version != version)
        return std::nullopt;
    SnmpMessage message;
    message.version = static_cast<SnmpVersion>(version);
    message.type = static_cast<PduType>(pdu->command);
    message.requestId = static_cast<std::int32_t>(pdu->reqid);
    if (pdu->community)
        message.community.assign(reinterpret_cast<const char*>(pdu->community), pdu->community_len);
    message.errorStatus = pdu->errstat;
    message.errorIndex = pdu->errindex;
    for (netsnmp_variable_list* var = pdu->variables; var; var = var->next_variable) {
        VarBind bind;
        bind.name.assign(var->name, var->name + var->name_length);
        bind.kind = KindOf(var->type);
        if (bind.kind == ValueKind::OctetString && var->val.string)
            bind.bytes.assign(reinterpret_cast<const char*>(var->val.string), var->val_len);
        message.varbinds.push_back(std::move(bind));
    }
    return message;
}

bool OidStartsWith(const Oid& name, const Oid& prefix)
{
    return name.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), name.begin());
}

} // namespace vesper
