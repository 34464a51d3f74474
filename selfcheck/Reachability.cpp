#include "Reachability.h"

#include "CheckText.h"

#include <algorithm>
#include <netinet/in.h>

namespace selfcheck {

namespace {

bool Covers(const LocalSocket& socket, const InterfaceAddress& address)
{
    if (socket.wildcard)
        return socket.family == address.family || socket.family == AF_INET6;
    return socket.family == address.family && socket.address == address.address;
}

template <class Item, class Text>
std::string Joined(const std::vector<Item>& items, Text text)
{
    std::string joined;
    for (const auto& item : items)
        joined += (joined.empty() ? "" : ", ") + text(item);
    return joined;
}

} // namespace

CheckResult JudgeReachability(int port, const std::vector<LocalSocket>& listening,
                              const std::vector<InterfaceAddress>& networkAddresses)
{
    const std::string portText = "TCP port " + std::to_string(port);
    std::vector<InterfaceAddress> reached;
    for (const auto& address : networkAddresses)
        for (const auto& socket : listening)
            if (Covers(socket, address)) {
                reached.push_back(address);
                break;
            }
    auto addressOf = [](const auto& item) { return item.address; };
    if (!reached.empty())
        return Ok("smbd answers on " + portText + " of " + Joined(reached, addressOf));

    std::string where = "smbd answers on " + portText + " of loopback only (" + Joined(listening, addressOf) + ")";
    if (networkAddresses.empty())
        return Problem(where + ", and this computer has no network address but loopback",
                       "connect this computer to the device's network");
    std::vector<std::string> names{"lo"};
    for (const auto& address : networkAddresses)
        if (std::find(names.begin(), names.end(), address.interfaceName) == names.end())
            names.push_back(address.interfaceName);
    std::string interfaces = "interfaces =";
    for (const auto& name : names)
        interfaces += " " + name;
    return Problem(where + ", not of " + Joined(networkAddresses, addressOf),
                   GlobalSettingsFix({interfaces, "bind interfaces only = yes"}));
}

} // namespace selfcheck
