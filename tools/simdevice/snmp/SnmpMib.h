// The managed objects of one simulated device, in object-identifier order.
#pragma once

#include "tools/simdevice/snmp/SnmpIdentity.h"
#include "vesper/SnmpMessage.h"

#include <map>
#include <optional>
#include <string>

namespace simdevice {

class SnmpMib {
public:
    // sysDescr.0, sysName.0, ifPhysAddress.1 (a loopback interface: empty), ifPhysAddress.2 (the
    // MAC address) and hrDeviceDescr.1 (the model) as the identity gives them.
    explicit SnmpMib(const SnmpIdentity& identity);

    // The object itself, or nullopt.
    std::optional<vesper::VarBind> Get(const vesper::Oid& name) const;
    // The first object after name, or nullopt at the end of the view.
    std::optional<vesper::VarBind> GetNext(const vesper::Oid& name) const;

private:
    std::map<vesper::Oid, std::string> m_objects;
};

} // namespace simdevice
