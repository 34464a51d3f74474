// The SNMP options of tarrow-simdevice:
//   --snmp                  the device also answers SNMP on HOST:161
//   --hostname NAME         host name it reports (default kelvane-<last octet of HOST>)
//   --mac MAC               MAC address it reports (default 02:00 + the four bytes of HOST)
//   --snmp-device HOST[=MODEL]  one more device in the same process that answers only SNMP
//                           (repeatable; model default "Norvik Kelvane KV4250 MFP")
//   --snmp-port N           UDP port of every agent (default 161)
//   --snmp-version V        versions every device answers: 1, 2c or both (default both)
#pragma once

#include "tools/simdevice/snmp/SnmpAgent.h"

#include <string>
#include <vector>

namespace simdevice {

struct SnmpProgramOptions {
    bool enabled = false;
    std::string hostName;
    std::string macAddress;
    std::vector<SnmpIdentity> moreDevices;
    unsigned short port = 161;
    SnmpVersions versions = SnmpVersions::V1AndV2c;
};

// Takes the SNMP options out of args and leaves the others; false with the reason in error.
bool TakeSnmpOptions(std::vector<std::string>& args, SnmpProgramOptions& options, std::string& error);
std::string SnmpUsageText();

// The identity of the device at host (127.0.0.0/8) with the defaults above.
SnmpIdentity DefaultIdentity(const std::string& host, const std::string& modelName);

// Starts agent for the device at host (when --snmp was given) and for every further device;
// false with the reason in error. Does nothing when no SNMP option was given.
bool StartSnmpAgents(SnmpAgent& agent, const SnmpProgramOptions& options, const std::string& host,
                     const std::string& modelName, std::string& error);

} // namespace simdevice
