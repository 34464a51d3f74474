#include "tools/simdevice/snmp/SnmpMib.h"

#include "vesper/AddressText.h"
#include "vesper/DeviceOids.h"

namespace simdevice {

using vesper::Oid;
using vesper::ValueKind;
using vesper::VarBind;
namespace oids = vesper::oids;

SnmpMib::SnmpMib(const SnmpIdentity& identity)
{
    m_objects[oids::Instance(oids::kSysDescr, 0)] = identity.description;
    m_objects[oids::Instance(oids::kSysName, 0)] = identity.hostName;
    m_objects[oids::Instance(oids::kIfPhysAddress, 1)] = "";
    if (auto mac = vesper::ParseMac(identity.macAddress))
        m_objects[oids::Instance(oids::kIfPhysAddress, 2)] = *mac;
    if (!identity.modelName.empty())
        m_objects[oids::Instance(oids::kHrDeviceDescr, 1)] = identity.modelName;
}

std::optional<VarBind> SnmpMib::Get(const Oid& name) const
{
    auto found = m_objects.find(name);
    if (found == m_objects.end())
        return std::nullopt;
    return VarBind{found->first, ValueKind::OctetString, found->second};
}

std::optional<VarBind> SnmpMib::GetNext(const Oid& name) const
{
    auto next = m_objects.upper_bound(name);
    if (next == m_objects.end())
        return std::nullopt;
    return VarBind{next->first, ValueKind::OctetString, next->second};
}

} // namespace simdevice
