// Check 5: Samba admits the device's lowest SMB dialect and its way of signing in.
#include "CheckText.h"
#include "Checks.h"
#include "SambaParameter.h"

#include <strings.h>

namespace selfcheck {

namespace {

// Samba's protocol names in rising order; rank compares them. "SMB2" and "SMB3" stand for
// SMB2_10 and SMB3_11, as Samba reads them.
struct Dialect {
    const char* name;
    int rank;
};
constexpr Dialect kSambaDialects[] = {
    {"CORE", 0},    {"COREPLUS", 1}, {"LANMAN1", 2}, {"LANMAN2", 3},  {"NT1", 4},     {"SMB2_02", 5},
    {"SMB2_10", 6}, {"SMB2", 6},     {"SMB2_22", 7}, {"SMB2_24", 8},  {"SMB3_00", 9}, {"SMB3_02", 10},
    {"SMB3_10", 11}, {"SMB3_11", 12}, {"SMB3", 12},
};

// What a device's lowest dialect asks of "server min protocol": the highest value that admits it.
struct DeviceDialect {
    const char* name;   // as CheckInput gives it
    const char* shown;  // in the detail
    const char* needed; // the server's value that admits it
    int rank;
};
constexpr DeviceDialect kDeviceDialects[] = {
    {"NT1", "SMB1 (NT1)", "NT1", 4},
    {"SMB1", "SMB1 (NT1)", "NT1", 4},
    {"SMB2", "SMB2", "SMB2_02", 5},
    {"SMB3", "SMB3", "SMB3_00", 9},
};

// Values of "ntlm auth" that let NTLMv1 sign-ins in.
constexpr const char* kNtlmV1Permitted[] = {"ntlmv1-permitted", "yes", "true"};

template <class Table>
auto FindByName(const Table& table, const std::string& name) -> decltype(&table[0])
{
    for (const auto& entry : table)
        if (strcasecmp(entry.name, name.c_str()) == 0)
            return &entry;
    return nullptr;
}

bool PermitsNtlmV1(const std::string& value)
{
    for (const char* permitted : kNtlmV1Permitted)
        if (strcasecmp(permitted, value.c_str()) == 0)
            return true;
    return false;
}

} // namespace

CheckResult CheckProtocol(const CheckInput& input)
{
    const DeviceDialect* device = FindByName(kDeviceDialects, input.device.lowestDialect);
    if (!device)
        return Skipped("unknown SMB dialect " + input.device.lowestDialect + " for the device (NT1, SMB2 or SMB3)");
    std::optional<std::string> minProtocol = ReadSambaParameter("server min protocol");
    std::optional<std::string> ntlmAuth = ReadSambaParameter("ntlm auth");
    if (!minProtocol || !ntlmAuth)
        return Skipped("testparm could not read " + SambaConfigFile());
    const Dialect* server = FindByName(kSambaDialects, *minProtocol);
    if (!server)
        return Skipped("unknown server min protocol " + *minProtocol);

    std::string detail;
    std::vector<std::string> lines;
    // The helper writes only the settings of an old device: NT1 and NTLMv1.
    std::vector<std::string> remedy{"allow-old-device"};
    bool helperMends = true;
    if (server->rank > device->rank) {
        detail = "the device speaks " + std::string(device->shown) + " at its lowest, but server min protocol = " + *minProtocol;
        lines.push_back("server min protocol = " + std::string(device->needed));
        if (std::string(device->needed) == "NT1")
            remedy.push_back("smb1");
        else
            helperMends = false;
    }
    if (input.device.needsNtlmV1 && !PermitsNtlmV1(*ntlmAuth)) {
        detail += (detail.empty() ? "" : "; ") + std::string("the device signs in with NTLMv1, but ntlm auth = ") + *ntlmAuth;
        lines.push_back("ntlm auth = ntlmv1-permitted");
        remedy.push_back("ntlmv1");
    }
    if (!lines.empty())
        return Problem(detail, GlobalSettingsFix(lines), helperMends ? remedy : std::vector<std::string>{});
    return Ok("server min protocol = " + *minProtocol + " and ntlm auth = " + *ntlmAuth + " admit a device that speaks " +
              device->shown + (input.device.needsNtlmV1 ? " with NTLMv1" : " with NTLMv2"));
}

} // namespace selfcheck
