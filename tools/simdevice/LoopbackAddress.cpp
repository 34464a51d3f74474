#include "tools/simdevice/LoopbackAddress.h"

#include <arpa/inet.h>

namespace simdevice {

bool IsLoopbackAddress(const std::string& host)
{
    in_addr address{};
    if (inet_pton(AF_INET, host.c_str(), &address) != 1)
        return false;
    return (ntohl(address.s_addr) >> 24) == 127;
}

} // namespace simdevice
