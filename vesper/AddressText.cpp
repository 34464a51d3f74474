#include "AddressText.h"

#include <cctype>
#include <cstdio>

namespace vesper {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Letters, digits, hyphens and underscores: names taken from a computer's NetBIOS name often
// hold "_", and resolvers answer them.
bool IsLabelChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_';
}

} // namespace

std::optional<Ipv4> ParseIpv4(std::string_view text)
{
    Ipv4 address = 0;
    std::size_t pos = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return std::nullopt;
            ++pos;
        }
        std::size_t digits = 0;
        unsigned value = 0;
        while (pos < text.size() && IsDigit(text[pos]) && digits < 4) {
            value = value * 10 + static_cast<unsigned>(text[pos] - '0');
            ++pos;
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return std::nullopt;
        address = (address << 8) | value;
    }
    if (pos != text.size())
        return std::nullopt;
    return address;
}

std::string FormatIpv4(Ipv4 address)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", (address >> 24) & 0xFFu, (address >> 16) & 0xFFu,
                  (address >> 8) & 0xFFu, address & 0xFFu);
    return text;
}

bool IsValidHostName(std::string_view text)
{
    if (!text.empty() && text.back() == '.')
        text.remove_suffix(1);
    if (text.empty() || text.size() > 253)
        return false;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('.', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view label = text.substr(start, end - start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
            return false;
        for (char c : label)
            if (!IsLabelChar(c))
                return false;
        start = end + 1;
    }
    return true;
}

std::optional<std::string> ParseMac(std::string_view text)
{
    std::size_t step;
    if (text.size() == 12)
        step = 2;
    else if (text.size() == 17 && (text[2] == ':' || text[2] == '-'))
        step = 3;
    else
        return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < 6; ++i) {
        std::size_t at = i * step;
        int high = HexValue(text[at]);
        int low = HexValue(text[at + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        if (step == 3 && i < 5 && text[at + 2] != text[2])
            return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

std::string FormatMac(std::string_view sixBytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < sixBytes.size(); ++i) {
        if (i > 0)
            text += ':';
        auto byte = static_cast<unsigned char>(sixBytes[i]);
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0F];
    }
    return text;
}

} // namespace vesper
