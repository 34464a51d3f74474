// Validity and normal forms of the address texts that callers hand to the service.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesper {

// An IPv4 address in host byte order.
using Ipv4 = std::uint32_t;

// Dotted quad: four decimal numbers 0..255 of one to three digits each, nothing else.
std::optional<Ipv4> ParseIpv4(std::string_view text);
std::string FormatIpv4(Ipv4 address);

// Host name: labels of 1..63 letters, digits, hyphens and underscores that neither begin nor end
// with a hyphen, separated by single dots (one trailing dot allowed), 253 characters at most.
// That is RFC 1123 plus "_", which names from the NetBIOS world hold.
bool IsValidHostName(std::string_view text);

// Six hexadecimal pairs separated by ":" or "-" (one separator throughout), or twelve
// hexadecimal digits. Yields the six bytes.
std::optional<std::string> ParseMac(std::string_view text);
// "00:1B:2C:3D:4E:5F": upper-case pairs joined by ":", the form the service reports.
std::string FormatMac(std::string_view sixBytes);

} // namespace vesper
