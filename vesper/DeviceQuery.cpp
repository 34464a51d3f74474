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
