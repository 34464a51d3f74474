// Check 4: other devices find this computer by the name in the device's path, and Samba answers
// to that name.
#include "CheckText.h"
#include "Checks.h"
#include "ProcNet.h"
#include "SambaParameter.h"

#include <algorithm>
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

namespace selfcheck {

namespace {

constexpr int kNetbiosNamePort = 137;       // UDP port of the NetBIOS name service (nmbd)
constexpr std::size_t kNetbiosNameLength = 15;

struct Resolved {
    std::vector<std::string> network;  // addresses other devices can reach
    std::vector<std::string> loopback; // loopback addresses
};

Resolved Resolve(const std::string& name)
{
    Resolved resolved;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &list) != 0)
        return resolved;
    for (addrinfo* entry = list; entry; entry = entry->ai_next) {
        char text[INET6_ADDRSTRLEN] = {};
        bool loopback = false;
        if (entry->ai_family == AF_INET) {
            const in_addr& address = reinterpret_cast<sockaddr_in*>(entry->ai_addr)->sin_addr;
            inet_ntop(AF_INET, &address, text, sizeof text);
            loopback = (ntohl(address.s_addr) >> 24) == 127;
        } else if (entry->ai_family == AF_INET6) {
            const in6_addr& address = reinterpret_cast<sockaddr_in6*>(entry->ai_addr)->sin6_addr;
            inet_ntop(AF_INET6, &address, text, sizeof text);
            loopback = IN6_IS_ADDR_LOOPBACK(&address);
        } else {
            continue;
        }
        auto& into = loopback ? resolved.loopback : resolved.network;
        if (std::find(into.begin(), into.end(), text) == into.end())
            into.push_back(text);
    }
    freeaddrinfo(list);
    return resolved;
}

bool IsAddress(const std::string& name)
{
    unsigned char buffer[sizeof(in6_addr)];
    return inet_pton(AF_INET, name.c_str(), buffer) == 1 || inet_pton(AF_INET6, name.c_str(), buffer) == 1;
}

// The NetBIOS form of a host name: up to the first dot, upper case, at most 15 characters.
std::string NetbiosForm(const std::string& name)
{
    std::string form = name.substr(0, name.find('.')).substr(0, kNetbiosNameLength);
    for (char& c : form)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return form;
}

std::string Joined(const std::vector<std::string>& items)
{
    std::string joined;
    for (const auto& item : items)
        joined += (joined.empty() ? "" : ", ") + item;
    return joined;
}

} // namespace

CheckResult CheckComputerName(const CheckInput& input)
{
    const std::string& name = input.computerName;
    if (name.empty())
        return Skipped("no computer name given");
    if (IsAddress(name)) {
        Resolved resolved = Resolve(name);
        if (resolved.network.empty())
            return Problem("the device's path names " + name + ", a loopback address",
                           "use this computer's network address or name in the device's path");
        return Ok("the device's path names this computer by its address " + name);
    }

    std::optional<std::string> netbiosName = ReadSambaParameter("netbios name");
    if (!netbiosName)
        return Skipped("testparm could not read " + SambaConfigFile());
    if (NetbiosForm(name) != NetbiosForm(*netbiosName))
        return Problem("the device's path names " + name + ", but Samba calls this computer " + *netbiosName,
                       GlobalSettingsFix({"netbios name = " + NetbiosForm(name)}));

    Resolved resolved = Resolve(name);
    if (!resolved.network.empty())
        return Ok(name + " resolves to " + Joined(resolved.network));
    if (!BoundUdpSockets(kNetbiosNamePort).empty())
        return Ok(name + " is answered by the NetBIOS name server (nmbd)");

    std::string found = resolved.loopback.empty() ? name + " does not resolve to an address"
                                                  : name + " resolves to loopback only (" + Joined(resolved.loopback) + ")";
    std::string detail = found + ", and no NetBIOS name server (nmbd) answers on UDP port 137";
    if (ReadSambaParameter("disable netbios").value_or("No") == "Yes")
        return Problem(detail, GlobalSettingsFix({"disable netbios = no"}, "nmbd"));
    return Problem(detail, "systemctl start nmbd", {"start-samba", "nmbd"});
}

} // namespace selfcheck
