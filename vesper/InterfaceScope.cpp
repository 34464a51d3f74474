#include "InterfaceScope.h"

#include <algorithm>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace vesper {

SearchScope InterfaceScope()
{
    SearchScope scope;
    std::vector<ProbeTarget>& targets = scope.targets;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return scope;
    for (ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        unsigned flags = entry->ifa_flags;
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET || !(flags & IFF_UP)
            || (flags & IFF_LOOPBACK) || !(flags & IFF_BROADCAST) || !entry->ifa_broadaddr)
            continue;
        auto* broadcast = reinterpret_cast<const sockaddr_in*>(entry->ifa_broadaddr);
        ProbeTarget target{ntohl(broadcast->sin_addr.s_addr), true};
        if (std::find(targets.begin(), targets.end(), target) == targets.end())
            targets.push_back(target);
        const Ipv4 mask = entry->ifa_netmask
                              ? ntohl(reinterpret_cast<const sockaddr_in*>(entry->ifa_netmask)->sin_addr.s_addr)
                              : ~Ipv4(0);
        const AddressRange subnet{target.address & mask, target.address};
        if (std::find(scope.ranges.begin(), scope.ranges.end(), subnet) == scope.ranges.end())
            scope.ranges.push_back(subnet);
    }
    freeifaddrs(list);
    return scope;
}

} // namespace vesper
