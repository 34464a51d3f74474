#include "DeviceAddress.h"

#include <arpa/inet.h>

namespace {

bool IsHostNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
        || c == '_';
}

bool IsHostName(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (!IsHostNameCharacter(c))
            return false;
    return true;
}

bool IsIpv6Literal(std::string_view text)
{
    in6_addr parsed{};
    return inet_pton(AF_INET6, std::string(text).c_str(), &parsed) == 1;
}

bool IsPort(std::string_view text)
{
    if (text.empty() || text.size() > 5)
        return false;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= 65535;
}

// "host", "host:port", "[v6]" or "[v6]:port".
bool IsHostAndPort(std::string_view address)
{
    std::string_view rest;
    if (address.starts_with('[')) {
        std::size_t close = address.find(']');
        if (close == std::string_view::npos || !IsIpv6Literal(address.substr(1, close - 1)))
            return false;
        rest = address.substr(close + 1);
    } else {
        std::size_t colon = address.find(':');
        if (!IsHostName(address.substr(0, colon)))
            return false;
        rest = colon == std::string_view::npos ? std::string_view() : address.substr(colon);
    }
    return rest.empty() || (rest.front() == ':' && IsPort(rest.substr(1)));
}

} // namespace

std::optional<std::string> DeviceUrl(std::string_view address, std::string_view path)
{
    // A zero byte would end the text early for inet_pton and libcurl alike.
    if (address.find('\0') != std::string_view::npos)
        return std::nullopt;
    if (IsIpv6Literal(address))
        return "https://[" + std::string(address) + "]" + std::string(path);
    if (!IsHostAndPort(address))
        return std::nullopt;
    return "https://" + std::string(address) + std::string(path);
}
