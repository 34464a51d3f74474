// The devices a discovery call found: the SNMP answers and the DNS-SD announcements merged into
// one device per address.
#pragma once

#include "DeviceQuery.h"
#include "AddressText.h"
#include "vesperextensions.h"

#include <functional>
#include <map>
#include <vector>

namespace vesper {

// How a device was found, as bits.
enum FoundBy : unsigned {
    kFoundBySnmp = VESPER_FOUND_BY_SNMP,
    kFoundByDnsSd = VESPER_FOUND_BY_DNS_SD,
};

struct FoundDevice {
    Ipv4 address = 0;
    DeviceFacts facts;
    unsigned foundBy = kFoundBySnmp;
};

// In ascending address order: every SNMP answer as it came, with DNS-SD's model and host name
// only where the answer had none; and the DNS-SD devices that SNMP did not answer for, with an
// empty MAC address. DNS-SD devices that `listed` refuses (by address and facts) are left out.
std::vector<FoundDevice> MergeAnswers(const std::map<Ipv4, DeviceFacts>& snmp, const std::map<Ipv4, DeviceFacts>& dnsSd,
                                      const std::function<bool(Ipv4, const DeviceFacts&)>& listed);

} // namespace vesper
