// tarrowctl search [--json] [--scope CIDR]
#include "ctl/Commands.h"
#include "ctl/Console.h"
#include "ctl/ExitCodes.h"
#include "ctl/RunResult.h"

#include "network/DeviceQueries.h"
#include "network/DiscoveryLibrary.h"
#include "vesper/vesperextensions.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <iostream>

namespace {

struct SearchedDevice {
    std::string address, model, mac, hostName;
    int foundBy = 0;
};

bool IsAddress(const std::string& text)
{
    return Discovery().IsValidIPAddress(text.c_str()) == 0;
}

// ADDRESS/BITS, or a range FIRST-LAST (which a search asks address by address).
bool IsScope(const std::string& scope)
{
    if (auto slash = scope.find('/'); slash != std::string::npos) {
        const std::string bits = scope.substr(slash + 1);
        int value = -1;
        auto [end, error] = std::from_chars(bits.data(), bits.data() + bits.size(), value);
        return IsAddress(scope.substr(0, slash)) && error == std::errc() && end == bits.data() + bits.size()
               && value >= 0 && value <= 32;
    }
    if (auto dash = scope.find('-'); dash != std::string::npos)
        return IsAddress(scope.substr(0, dash)) && IsAddress(scope.substr(dash + 1));
    return false;
}

std::vector<const char*> FoundByWords(int foundBy)
{
    std::vector<const char*> words;
    if (foundBy & VESPER_FOUND_BY_SNMP)
        words.push_back("snmp");
    if (foundBy & VESPER_FOUND_BY_DNS_SD)
        words.push_back("dns-sd");
    return words;
}

// The program's search, as the wizard's search page makes it (and logs it).
std::vector<SearchedDevice> Search()
{
    std::vector<SearchedDevice> devices;
    Discovery().Startup(1);
    StartDiscovery();
    const int count = GetDiscoveredDeviceCount(CString(u"network"));
    for (int index = 0; index < count; ++index) {
        CString address, hostName, mac, model;
        GetDeviceIPAddress(index, address);
        GetDeviceHostName(index, hostName);
        GetDeviceMACAddress(index, mac);
        GetDeviceModelName(index, model);
        int foundBy = 0;
        Discovery().GetFoundBy(index, &foundBy);
        devices.push_back({Utf8(address), Utf8(model), Utf8(mac), Utf8(hostName), foundBy});
    }
    Discovery().Shutdown(1);
    return devices;
}

JsonArray DevicesJson(const std::vector<SearchedDevice>& devices)
{
    JsonArray list;
    for (const SearchedDevice& device : devices) {
        JsonArray foundBy;
        for (const char* word : FoundByWords(device.foundBy))
            foundBy.Add(word);
        list.Add(JsonObject()
                     .Set("address", device.address)
                     .Set("model", device.model)
                     .Set("mac", device.mac)
                     .Set("hostName", device.hostName)
                     .Set("foundBy", foundBy));
    }
    return list;
}

void PrintTable(const std::vector<SearchedDevice>& devices)
{
    if (devices.empty()) {
        std::cout << "No device was found." << std::endl;
        return;
    }
    std::size_t addressWidth = 7, modelWidth = 5, macWidth = 17;
    for (const SearchedDevice& device : devices) {
        addressWidth = std::max(addressWidth, device.address.size());
        modelWidth = std::max(modelWidth, Printable(device.model).size());
    }
    const auto padded = [](std::string text, std::size_t width) {
        text.resize(std::max(text.size(), width), ' ');
        return text;
    };
    std::cout << padded("ADDRESS", addressWidth) << "  " << padded("MODEL", modelWidth) << "  "
              << padded("MAC", macWidth) << "  FOUND BY\n";
    for (const SearchedDevice& device : devices) {
        std::string foundBy;
        for (const char* word : FoundByWords(device.foundBy))
            foundBy += (foundBy.empty() ? "" : ",") + std::string(word);
        std::cout << padded(Printable(device.address), addressWidth) << "  " << padded(Printable(device.model), modelWidth)
                  << "  " << padded(device.mac.empty() ? "-" : Printable(device.mac), macWidth) << "  " << foundBy
                  << "\n";
    }
    std::cout << std::flush;
}

} // namespace

int RunSearch(const Arguments& args)
{
    if (!args.Positionals().empty())
        return UsageError("search", "unexpected argument \"" + args.Positionals().front() + "\"");
    const std::optional<std::string> scope = args.Value("--scope");
    if (scope) {
        if (!IsScope(*scope))
            return UsageError("search", "--scope \"" + *scope
                                            + "\" is no subnet: give ADDRESS/BITS such as 192.168.1.0/24, or a range "
                                              "FIRST-LAST");
        setenv("VESPER_SCOPE", scope->c_str(), 1);
    }
    Progress("searching the network" + (scope ? " " + *scope : std::string()) + " over SNMP and DNS-SD");
    const std::vector<SearchedDevice> devices = Search();
    Progress("found " + std::to_string(devices.size()) + " device(s)");
    CurrentRun().Fields().Set("devices", DevicesJson(devices));
    if (devices.empty())
        CurrentRun().SetFailure(scope ? "no device was found in " + *scope +
                                            ": check that the printers are switched on and that the range holds them"
                                      : "no device was found: check that the printers are switched on and in this "
                                        "network, or give --scope");
    if (!CurrentRun().Json())
        PrintTable(devices);
    return devices.empty() ? kExitUnreachable : kExitOk;
}
