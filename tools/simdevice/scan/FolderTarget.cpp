#include "tools/simdevice/scan/FolderTarget.h"

#include "tools/simdevice/scan/NetworkPath.h"

#include <arpa/inet.h>
#include <optional>

namespace simdevice {

namespace {

bool IsDottedAddress(const std::string& host)
{
    in_addr ignored{};
    return inet_pton(AF_INET, host.c_str(), &ignored) == 1;
}

} // namespace

std::string FindFolderTarget(const std::string& networkPath, const NameTable& names, int smbPort, SmbTarget& target)
{
    const std::optional<NetworkPath> path = ParseNetworkPath(networkPath);
    if (!path)
        return kBadPathSyntax;
    const std::optional<std::string> address = names.Resolve(path->host);
    if (!address)
        return IsDottedAddress(path->host) ? kOffLoopback : kUnknownHost;
    target = SmbTarget{*address, smbPort, *path};
    return {};
}

} // namespace simdevice
