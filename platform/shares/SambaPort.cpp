#include "SambaPort.h"

#include "SambaSettings.h"

#include <charconv>
#include <string>

namespace platform {

int SambaServerPort()
{
    const std::optional<std::string> ports = CurrentSambaSettings().Global("smb ports");
    if (!ports)
        return kDefaultSmbPort;
    // The first of the ports ("445 139").
    const std::string& value = *ports;
    std::size_t start = value.find_first_not_of(" \t,");
    if (start == std::string::npos)
        return kDefaultSmbPort;
    int port = 0;
    auto [end, error] = std::from_chars(value.data() + start, value.data() + value.size(), port);
    bool wholeNumber = end == value.data() + value.size() || *end == ' ' || *end == '\t' || *end == ',';
    if (error != std::errc() || !wholeNumber || port <= 0 || port > 65535)
        return kDefaultSmbPort;
    return port;
}

} // namespace platform
