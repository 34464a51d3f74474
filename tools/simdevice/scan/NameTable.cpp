#include "tools/simdevice/scan/NameTable.h"

#include "tools/simdevice/LoopbackAddress.h"

namespace simdevice {

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

NameTable::NameTable(const std::map<std::string, std::string>& entries)
{
    for (const auto& [host, address] : entries)
        if (!host.empty() && IsLoopbackAddress(address))
            addresses_[Lower(host)] = address;
}

std::optional<std::string> NameTable::Resolve(const std::string& host) const
{
    if (IsLoopbackAddress(host))
        return host;
    const auto found = addresses_.find(Lower(host));
    if (found == addresses_.end())
        return std::nullopt;
    return found->second;
}

bool ParseNameEntry(const std::string& text, std::string& host, std::string& address)
{
    const auto equals = text.find('=');
    if (equals == std::string::npos || equals == 0)
        return false;
    host = text.substr(0, equals);
    address = text.substr(equals + 1);
    return IsLoopbackAddress(address);
}

} // namespace simdevice
