#include "FoundDevices.h"

namespace vesper {

std::vector<FoundDevice> MergeAnswers(const std::map<Ipv4, DeviceFacts>& snmp, const std::map<Ipv4, DeviceFacts>& dnsSd,
                                      const std::function<bool(Ipv4, const DeviceFacts&)>& listed)
{
    std::map<Ipv4, FoundDevice> merged;
    for (const auto& [address, facts] : snmp)
        merged[address] = {address, facts, kFoundBySnmp};
    for (const auto& [address, facts] : dnsSd) {
        if (!listed(address, facts))
            continue;
        auto [entry, added] = merged.try_emplace(address, FoundDevice{address, facts, kFoundByDnsSd});
        if (added) {
            entry->second.facts.macAddress.clear();
            continue;
        }
        FoundDevice& device = entry->second;
        device.foundBy |= kFoundByDnsSd;
        if (device.facts.modelName.empty())
            device.facts.modelName = facts.modelName;
        if (device.facts.hostName.empty())
            device.facts.hostName = facts.hostName;
    }
    std::vector<FoundDevice> devices;
    for (auto& [address, device] : merged)
        devices.push_back(std::move(device));
    return devices;
}

} // namespace vesper
