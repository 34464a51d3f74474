#include "SearchSettings.h"

#include "InterfaceScope.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace vesper {

namespace {

void ReadNumber(const char* name, int minimum, int maximum, int& value)
{
    const char* text = std::getenv(name);
    if (!text || !*text)
        return;
    int number = 0;
    std::string_view view(text);
    auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), number);
    if (error == std::errc() && end == view.data() + view.size() && number >= minimum && number <= maximum)
        value = number;
}

// One scope item, appended to the scope; false when malformed or too large.
bool AddScopeItem(std::string_view item, SearchScope& scope)
{
    std::vector<ProbeTarget>& targets = scope.targets;
    if (auto slash = item.find('/'); slash != std::string_view::npos) {
        auto network = ParseIpv4(item.substr(0, slash));
        std::string_view bitsText = item.substr(slash + 1);
        int bits = -1;
        auto [end, error] = std::from_chars(bitsText.data(), bitsText.data() + bitsText.size(), bits);
        if (!network || error != std::errc() || end != bitsText.data() + bitsText.size() || bits < 0 || bits > 32)
            return false;
        Ipv4 mask = bits == 0 ? 0 : ~Ipv4(0) << (32 - bits);
        Ipv4 first = *network & mask;
        scope.ranges.push_back({first, first | ~mask});
        if (bits >= 31) {
            for (Ipv4 address = first; address <= (first | ~mask); ++address) {
                targets.push_back({address, false});
                if (address == (first | ~mask))
                    break;
            }
        } else {
            targets.push_back({first | ~mask, true});
        }
        return true;
    }
    if (auto dash = item.find('-'); dash != std::string_view::npos) {
        auto first = ParseIpv4(item.substr(0, dash));
        std::string_view lastText = item.substr(dash + 1);
        auto last = ParseIpv4(lastText);
        if (first && !last) {
            unsigned octet = 256;
            auto [end, error] = std::from_chars(lastText.data(), lastText.data() + lastText.size(), octet);
            if (error == std::errc() && end == lastText.data() + lastText.size() && octet <= 255)
                last = (*first & 0xFFFFFF00u) | octet;
        }
        if (!first || !last || *last < *first || *last - *first >= kMaxScopeAddresses)
            return false;
        scope.ranges.push_back({*first, *last});
        for (Ipv4 address = *first;; ++address) {
            targets.push_back({address, false});
            if (address == *last)
                break;
        }
        return true;
    }
    auto address = ParseIpv4(item);
    if (!address)
        return false;
    targets.push_back({*address, false});
    scope.ranges.push_back({*address, *address});
    return true;
}

} // namespace

SearchSettings ReadSearchSettings()
{
    SearchSettings settings;
    ReadNumber("VESPER_TIMEOUT_MS", 1, 60000, settings.timeoutMs);
    ReadNumber("VESPER_RETRIES", 0, 10, settings.retries);
    ReadNumber("VESPER_QUIET_MS", 1, 60000, settings.quietMs);
    ReadNumber("VESPER_SEARCH_MS", 1, 600000, settings.searchMs);
    int port = settings.port;
    ReadNumber("VESPER_PORT", 1, 65535, port);
    settings.port = static_cast<unsigned short>(port);
    if (const char* community = std::getenv("VESPER_COMMUNITY"); community && *community)
        settings.community = community;
    if (const char* table = std::getenv("VESPER_NEIGHBOUR_TABLE"); table && *table)
        settings.neighbourTable = table;
    if (const char* dnsSd = std::getenv("VESPER_DNS_SD"); dnsSd && *dnsSd) {
        const std::string_view word(dnsSd);
        settings.dnsSd = word != "off" && word != "0" && word != "no";
    }
    return settings;
}

bool SearchScope::Contains(Ipv4 address) const
{
    return std::any_of(ranges.begin(), ranges.end(),
                       [address](const AddressRange& range) { return address >= range.first && address <= range.last; });
}

std::optional<SearchScope> ParseSearchScope(std::string_view scope)
{
    SearchScope parsed;
    static constexpr std::string_view kSeparators = ",; \t\n";
    std::size_t pos = 0;
    while (pos < scope.size()) {
        std::size_t start = scope.find_first_not_of(kSeparators, pos);
        if (start == std::string_view::npos)
            break;
        std::size_t end = scope.find_first_of(kSeparators, start);
        if (end == std::string_view::npos)
            end = scope.size();
        if (!AddScopeItem(scope.substr(start, end - start), parsed) || parsed.targets.size() > kMaxScopeAddresses)
            return std::nullopt;
        pos = end;
    }
    return parsed;
}

std::optional<std::vector<ProbeTarget>> ParseScope(std::string_view scope)
{
    auto parsed = ParseSearchScope(scope);
    if (!parsed)
        return std::nullopt;
    return std::move(parsed->targets);
}

std::optional<SearchScope> ReadSearchScope()
{
    const char* scope = std::getenv("VESPER_SCOPE");
    if (scope && std::string_view(scope).find_first_not_of(",; \t\n") != std::string_view::npos)
        return ParseSearchScope(scope);
    return InterfaceScope();
}

} // namespace vesper
