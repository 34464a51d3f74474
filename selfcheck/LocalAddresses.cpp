#include "LocalAddresses.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace selfcheck {

std::vector<InterfaceAddress> NetworkAddresses()
{
    std::vector<InterfaceAddress> addresses;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return addresses;
    for (ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || !(entry->ifa_flags & IFF_UP) || (entry->ifa_flags & IFF_LOOPBACK))
            continue;
        int family = entry->ifa_addr->sa_family;
        char text[INET6_ADDRSTRLEN] = {};
        if (family == AF_INET) {
            inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(entry->ifa_addr)->sin_addr, text, sizeof text);
        } else if (family == AF_INET6) {
            const in6_addr& address = reinterpret_cast<sockaddr_in6*>(entry->ifa_addr)->sin6_addr;
            if (IN6_IS_ADDR_LINKLOCAL(&address))
                continue;
            inet_ntop(AF_INET6, &address, text, sizeof text);
        } else {
            continue;
        }
        addresses.push_back({entry->ifa_name, family, text});
    }
    freeifaddrs(list);
    return addresses;
}

} // namespace selfcheck
