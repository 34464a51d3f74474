// The device address as it may go into the command URL. The transport checks every address
// here, so nothing reaches libcurl that could name another host, carry a user name, a path or a
// query, or make what is logged differ from what is sent.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The URL "https://" + host + path for an address of one of these forms, or nothing:
// - a host name or IPv4 address: ASCII letters, digits, "-", "." and "_";
// - an IPv6 literal, bare ("fe80::1", put in brackets in the URL) or in brackets ("[::1]");
// - a host name, IPv4 address or bracketed IPv6 literal followed by ":" and a port, 1 to 65535.
// Anything else (empty, "user@host", "/", "?", "#", blanks, control characters, other
// characters) is refused.
std::optional<std::string> DeviceUrl(std::string_view address, std::string_view path);
