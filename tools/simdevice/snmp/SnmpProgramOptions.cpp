#include "tools/simdevice/snmp/SnmpProgramOptions.h"

#include "vesper/AddressText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace simdevice {

namespace {

constexpr const char* kDefaultModel = "Norvik Kelvane KV4250 MFP";

struct VersionName {
    const char* name;
    SnmpVersions versions;
};
constexpr VersionName kVersionNames[] = {
    {"1", SnmpVersions::V1Only},
    {"2c", SnmpVersions::V2cOnly},
    {"both", SnmpVersions::V1AndV2c},
};

bool IsLoopback(const std::string& host)
{
    auto address = vesper::ParseIpv4(host);
    return address && (*address >> 24) == 127;
}

} // namespace

bool TakeSnmpOptions(std::vector<std::string>& args, SnmpProgramOptions& options, std::string& error)
{
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--snmp") {
            options.enabled = true;
            continue;
        }
        if (name != "--hostname" && name != "--mac" && name != "--snmp-device" && name != "--snmp-port"
            && name != "--snmp-version") {
            rest.push_back(name);
            continue;
        }
        if (i + 1 == args.size()) {
            error = name + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (name == "--hostname") {
            options.hostName = value;
        } else if (name == "--mac") {
            if (!vesper::ParseMac(value)) {
                error = "bad MAC address " + value;
                return false;
            }
            options.macAddress = value;
        } else if (name == "--snmp-version") {
            const auto* known = std::find_if(std::begin(kVersionNames), std::end(kVersionNames),
                                             [&](const VersionName& entry) { return value == entry.name; });
            if (known == std::end(kVersionNames)) {
                error = "--snmp-version needs 1, 2c or both";
                return false;
            }
            options.versions = known->versions;
        } else if (name == "--snmp-port") {
            unsigned port = 0;
            auto [end, failed] = std::from_chars(value.data(), value.data() + value.size(), port);
            if (failed != std::errc() || end != value.data() + value.size() || port == 0 || port > 65535) {
                error = "--snmp-port needs a number from 1 to 65535";
                return false;
            }
            options.port = static_cast<unsigned short>(port);
        } else {
            const auto equals = value.find('=');
            const std::string host = value.substr(0, equals);
            if (!IsLoopback(host)) {
                error = "refusing address " + host + ": the simulated device listens only on 127.0.0.0/8";
                return false;
            }
            options.moreDevices.push_back(
                DefaultIdentity(host, equals == std::string::npos ? kDefaultModel : value.substr(equals + 1)));
        }
    }
    args = std::move(rest);
    return true;
}

std::string SnmpUsageText()
{
    return "SNMP:\n"
           "  --snmp                also answer SNMP on HOST:161 (model, host name, MAC address)\n"
           "  --hostname NAME       host name reported over SNMP (default kelvane-<last octet>)\n"
           "  --mac MAC             MAC address reported over SNMP (default 02:00:<the address's bytes>)\n"
           "  --snmp-device HOST[=MODEL]  one more device answering only SNMP (repeatable)\n"
           "  --snmp-port N         UDP port of the agents (default 161)\n"
           "  --snmp-version V      SNMP versions the devices answer: 1, 2c or both (default both)\n";
}

SnmpIdentity DefaultIdentity(const std::string& host, const std::string& modelName)
{
    const vesper::Ipv4 address = vesper::ParseIpv4(host).value_or(0);
    char mac[18];
    std::snprintf(mac, sizeof mac, "02:00:%02X:%02X:%02X:%02X", address >> 24, (address >> 16) & 0xFFu,
                  (address >> 8) & 0xFFu, address & 0xFFu);
    return {host, modelName, "kelvane-" + std::to_string(address & 0xFFu), mac};
}

bool StartSnmpAgents(SnmpAgent& agent, const SnmpProgramOptions& options, const std::string& host,
                     const std::string& modelName, std::string& error)
{
    std::vector<SnmpIdentity> devices = options.moreDevices;
    if (options.enabled) {
        SnmpIdentity device = DefaultIdentity(host, modelName);
        if (!options.hostName.empty())
            device.hostName = options.hostName;
        if (!options.macAddress.empty())
            device.macAddress = options.macAddress;
        devices.insert(devices.begin(), device);
    }
    if (devices.empty())
        return true;
    for (SnmpIdentity& device : devices) {
        device.versions = options.versions;
        if (!agent.AddDevice(device)) {
            error = "cannot answer SNMP on " + device.address + ":" + std::to_string(options.port);
            return false;
        }
    }
    if (!agent.Start()) {
        error = "cannot start the SNMP agent";
        return false;
    }
    return true;
}

} // namespace simdevice
