#include "ctl/NetworkPath.h"

std::string NetworkPath(const std::string& host, const std::string& share)
{
    return "\\\\" + host + "\\" + share;
}

bool SplitNetworkPath(const std::string& path, std::string& host, std::string& share)
{
    if (path.size() < 5 || path.compare(0, 2, "\\\\") != 0)
        return false;
    std::size_t separator = path.find('\\', 2);
    if (separator == std::string::npos || separator == 2 || separator + 1 >= path.size() ||
        path.find('\\', separator + 1) != std::string::npos)
        return false;
    host = path.substr(2, separator - 2);
    share = path.substr(separator + 1);
    return true;
}
