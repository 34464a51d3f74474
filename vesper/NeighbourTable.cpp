#include "NeighbourTable.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace vesper {

namespace {

constexpr unsigned kEntryComplete = 0x2;  // ATF_COM

} // namespace

std::vector<Ipv4> AddressesWithMac(std::string_view arpTable, std::string_view mac)
{
    std::vector<Ipv4> addresses;
    std::istringstream lines{std::string(arpTable)};
    std::string line;
    std::getline(lines, line);  // the heading
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string ip, hwType, flags, hwAddress;
        if (!(fields >> ip >> hwType >> flags >> hwAddress))
            continue;
        auto address = ParseIpv4(ip);
        auto entryMac = ParseMac(hwAddress);
        unsigned long flagBits = std::strtoul(flags.c_str(), nullptr, 16);
        if (address && entryMac && *entryMac == mac && (flagBits & kEntryComplete))
            addresses.push_back(*address);
    }
    return addresses;
}

std::vector<Ipv4> NeighboursWithMac(const std::string& tablePath, std::string_view mac)
{
    std::ifstream file(tablePath);
    std::stringstream text;
    text << file.rdbuf();
    return AddressesWithMac(text.str(), mac);
}

} // namespace vesper
