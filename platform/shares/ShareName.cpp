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

bool SameShareName(std::string_view a, std::string_view b)
{
    std::u32string upperA;
    std::u32string upperB;
    auto upper = [](std::u32string& into) { return [&into](gunichar ch) { into += g_unichar_toupper(ch); }; };
    if (!ForEachCodePoint(a, upper(upperA)) || !ForEachCodePoint(b, upper(upperB)))
        return a == b;
    return upperA == upperB;
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
