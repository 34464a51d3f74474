#include "ShareName.h"

#include <algorithm>
#include <array>
#include <glib.h>
#include <string>

namespace platform {

namespace {

constexpr std::string_view kRefusedCharacters = "%<>*?|/\\+=;:\",";

constexpr std::array<std::string_view, 6> kReservedNames = {"IPC$", "ADMIN$", "global", "homes", "printers", "print$"};

bool IsControl(gunichar ch)
{
    return ch < 0x20 || (ch >= 0x7F && ch < 0xA0);
}

// The UTF-8 text's code points; false when it is not UTF-8.
template <typename Visit>
bool ForEachCodePoint(std::string_view text, Visit visit)
{
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        return false;
    for (const char* at = text.data(); at != text.data() + text.size(); at = g_utf8_next_char(at))
        visit(g_utf8_get_char(at));
    return true;
}

} // namespace

std::string ShareNameKey(std::string_view name)
{
    std::string key;
    bool utf8 = ForEachCodePoint(name, [&key](gunichar ch) {
        char bytes[6];
        key.append(bytes, static_cast<std::size_t>(g_unichar_to_utf8(g_unichar_toupper(ch), bytes)));
    });
    return utf8 ? key : std::string(name);
}

bool SameShareName(std::string_view a, std::string_view b)
{
    return ShareNameKey(a) == ShareNameKey(b);
}

bool IsValidShareName(std::string_view name)
{
    std::size_t units = 0;
    bool control = false;
    bool utf8 = ForEachCodePoint(name, [&](gunichar ch) {
        units += ch > 0xFFFF ? 2 : 1;
        control = control || IsControl(ch);
    });
    return utf8 && !name.empty() && units <= kMaxShareNameLength && !control &&
           name.find_first_of(kRefusedCharacters) == std::string_view::npos;
}

bool IsReservedShareName(std::string_view name)
{
    return std::any_of(kReservedNames.begin(), kReservedNames.end(),
                       [name](std::string_view reserved) { return SameShareName(name, reserved); });
}

} // namespace platform
