#include "tools/simdevice/scan/NetworkPath.h"

#include <algorithm>
#include <cstdio>

namespace simdevice {

namespace {

bool Unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
        || c == '_' || c == '~';
}

std::string PercentEncoded(const std::string& name)
{
    std::string encoded;
    for (const char c : name) {
        if (Unreserved(static_cast<unsigned char>(c))) {
            encoded += c;
            continue;
        }
        char escape[4];
        std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned char>(c));
        encoded += escape;
    }
    return encoded;
}

} // namespace

std::optional<NetworkPath> ParseNetworkPath(const std::string& path)
{
    if (path.rfind("\\\\", 0) != 0)
        return std::nullopt;
    std::vector<std::string> parts;
    std::size_t begin = 2;
    while (begin < path.size()) {
        const std::size_t end = std::min(path.find('\\', begin), path.size());
        parts.push_back(path.substr(begin, end - begin));
        begin = end + 1;
    }
    if (parts.size() < 2)
        return std::nullopt;
    for (const std::string& part : parts)
        if (part.empty())
            return std::nullopt;
    NetworkPath parsed{parts[0], parts[1], {parts.begin() + 2, parts.end()}};
    return parsed;
}

std::string ServerUrl(const std::string& address)
{
    return "smb://" + address + "/";
}

std::string ShareUrl(const std::string& address, const NetworkPath& path)
{
    return ServerUrl(address) + PercentEncoded(path.share) + "/";
}

std::string FolderUrl(const std::string& address, const NetworkPath& path)
{
    std::string url = ShareUrl(address, path);
    for (const std::string& folder : path.folders)
        url += PercentEncoded(folder) + "/";
    return url;
}

std::string FileUrl(const std::string& address, const NetworkPath& path, const std::string& fileName)
{
    return FolderUrl(address, path) + PercentEncoded(fileName);
}

} // namespace simdevice
