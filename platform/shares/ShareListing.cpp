#include "UsershareInfo.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace platform {

namespace {

void SetField(UsershareInfo& share, std::string_view key, std::string value)
{
    if (key == "path")
        share.path = std::move(value);
    else if (key == "comment")
        share.comment = std::move(value);
    else if (key == "usershare_acl")
        share.acl = std::move(value);
    else if (key == "guest_ok")
        share.guestOk = value == "y";
}

} // namespace

std::optional<UsershareInfo> FindUsershare(std::string_view infoText, std::string_view name)
{
    std::istringstream lines{std::string(infoText)};
    std::optional<UsershareInfo> current;
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            if (current && SameAsciiCase(current->name, name))
                return current;
            current = UsershareInfo{line.substr(1, line.size() - 2), {}, {}, {}, false};
            continue;
        }
        std::size_t equals = line.find('=');
        if (current && equals != std::string::npos)
            SetField(*current, std::string_view(line).substr(0, equals), line.substr(equals + 1));
    }
    if (current && SameAsciiCase(current->name, name))
        return current;
    return std::nullopt;
}

bool SameAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool IsValidUsershareName(std::string_view name)
{
    static constexpr std::string_view kRefused = "%<>*?|/\\+=;:\",";
    return !name.empty() && name.find_first_of(kRefused) == std::string_view::npos &&
           std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

} // namespace platform
