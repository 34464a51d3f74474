#include "DeviceQuery.h"

#include "AddressText.h"
#include "DeviceOids.h"

namespace vesper {

namespace {

// Device texts end at their first zero byte: the service hands them out zero-terminated.
std::string Text(const VarBind& bind)
{
    return bind.bytes.substr(0, bind.bytes.find('\0'));
}

// The objects of the v1 query, in the order of its bits.
Oid V1Object(int bit)
{
    switch (bit) {
    case 0: return oids::Instance(oids::kHrDeviceDescr, 0);
    case 1: return oids::kSysDescr;
    case 2: return oids::kSysName;
    default: return oids::Instance(oids::kIfPhysAddress, static_cast<std::uint32_t>(bit - 3));
    }
}

} // namespace

SnmpMessage MakeDeviceQuery(std::int32_t requestId, const std::string& community)
{
    SnmpMessage query;
    query.type = PduType::GetBulk;
    query.requestId = requestId;
    query.community = community;
    query.errorStatus = 3;                  // non-repeaters
    query.errorIndex = kInterfacesAsked;    // max-repetitions
    // A GetNext from hrDeviceDescr.0 lands on hrDeviceDescr.1 when the device has it.
    query.varbinds.push_back({oids::Instance(oids::kHrDeviceDescr, 0), ValueKind::Null, {}});
    query.varbinds.push_back({oids::kSysDescr, ValueKind::Null, {}});
    query.varbinds.push_back({oids::kSysName, ValueKind::Null, {}});
    query.varbinds.push_back({oids::kIfPhysAddress, ValueKind::Null, {}});
    return query;
}

SnmpMessage MakeDeviceQueryV1(std::int32_t requestId, const std::string& community, V1Objects objects)
{
    SnmpMessage query;
    query.version = SnmpVersion::V1;
    query.type = PduType::GetNext;
    query.requestId = requestId;
    query.community = community;
    for (int bit = 0; bit < kV1ObjectCount; ++bit)
        if (objects & (V1Objects(1) << bit))
            query.varbinds.push_back({V1Object(bit), ValueKind::Null, {}});
    return query;
}

V1Objects WithoutRefused(V1Objects objects, long errorIndex)
{
    long position = 0;
    for (int bit = 0; bit < kV1ObjectCount; ++bit) {
        const V1Objects object = V1Objects(1) << bit;
        if ((objects & object) && ++position == errorIndex)
            return objects & ~object;
    }
    return 0;
}

DeviceFacts ReadDeviceFacts(const SnmpMessage& answer)
{
    DeviceFacts facts;
    std::string description;
    const Oid hrDeviceDescr1 = oids::Instance(oids::kHrDeviceDescr, 1);
    const Oid sysDescr0 = oids::Instance(oids::kSysDescr, 0);
    const Oid sysName0 = oids::Instance(oids::kSysName, 0);
    for (const VarBind& bind : answer.varbinds) {
        if (bind.kind != ValueKind::OctetString)
            continue;
        if (bind.name == hrDeviceDescr1)
            facts.modelName = Text(bind);
        else if (bind.name == sysDescr0)
            description = Text(bind);
        else if (bind.name == sysName0)
            facts.hostName = Text(bind);
        else if (facts.macAddress.empty() && bind.name.size() == oids::kIfPhysAddress.size() + 1
                 && OidStartsWith(bind.name, oids::kIfPhysAddress) && bind.bytes.size() == 6)
            facts.macAddress = FormatMac(bind.bytes);
    }
    if (facts.modelName.empty())
        facts.modelName = description;
    return facts;
}

} // namespace vesper
