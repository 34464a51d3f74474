#include "vesper/SearchSettings.h"

#include <gtest/gtest.h>

using namespace vesper;

namespace {

ProbeTarget Unicast(const char* text) { return {*ParseIpv4(text), false}; }
ProbeTarget Broadcast(const char* text) { return {*ParseIpv4(text), true}; }
// What a refused scope is compared as.
const std::vector<ProbeTarget> None{};

} // namespace

TEST(SearchScope, ItemsOfEachForm)
{
    auto targets = ParseScope(" 192.168.7.0/24, 10.1.2.3;127.0.0.254-127.0.1.1 127.0.0.9-10\t10.9.9.9/32 10.8.8.8/31");
    ASSERT_TRUE(targets);
    EXPECT_EQ((std::vector<ProbeTarget>{Broadcast("192.168.7.255"), Unicast("10.1.2.3"), Unicast("127.0.0.254"),
                                        Unicast("127.0.0.255"), Unicast("127.0.1.0"), Unicast("127.0.1.1"),
                                        Unicast("127.0.0.9"), Unicast("127.0.0.10"), Unicast("10.9.9.9"),
                                        Unicast("10.8.8.8"), Unicast("10.8.8.9")}),
              *targets);
    // The host part of a subnet item does not matter.
    EXPECT_EQ((std::vector<ProbeTarget>{Broadcast("172.31.255.255")}), ParseScope("172.16.5.4/12").value_or(None));
    EXPECT_EQ((std::vector<ProbeTarget>{Broadcast("255.255.255.255")}), ParseScope("0.0.0.0/0").value_or(None));
    EXPECT_TRUE(ParseScope(" , ")->empty());
    // A range may hold one address.
    EXPECT_EQ((std::vector<ProbeTarget>{Unicast("10.0.0.7")}), ParseScope("10.0.0.7-10.0.0.7").value_or(None));
}

TEST(SearchScope, MalformedOrTooLargeScopes)
{
    for (const char* scope : {"192.168.7.0/33", "192.168.7.0/-1", "192.168.7.0/", "192.168.7.0/x", "10.0.0.9-10.0.0.1", "10.0.0.1-256",
                              "10.0.0.1-", "10.0.0", "printer.example", "10.0.0.0-10.1.0.0", "10.0.0.1/24/8"})
        EXPECT_FALSE(ParseScope(scope)) << scope;
    // 65536 addresses are the most one scope may hold.
    EXPECT_EQ(kMaxScopeAddresses, ParseScope("10.0.0.0-10.0.255.255")->size());
    EXPECT_FALSE(ParseScope("10.0.0.0-10.0.255.255 10.1.0.0"));
}

TEST(SearchSettingsEnvironment, NumbersOutOfRangeKeepTheirDefaults)
{
    setenv("VESPER_TIMEOUT_MS", "250", 1);
    setenv("VESPER_RETRIES", "-1", 1);
    setenv("VESPER_QUIET_MS", "12ms", 1);
    setenv("VESPER_PORT", "70000", 1);
    setenv("VESPER_COMMUNITY", "private", 1);
    SearchSettings settings = ReadSearchSettings();
    EXPECT_EQ(250, settings.timeoutMs);
    EXPECT_EQ(SearchSettings{}.retries, settings.retries);
    EXPECT_EQ(SearchSettings{}.quietMs, settings.quietMs);
    EXPECT_EQ(SearchSettings{}.port, settings.port);
    EXPECT_EQ("private", settings.community);
}

TEST(SearchSettingsEnvironment, EachNumberIsTakenFromItsLowestToItsHighestValue)
{
    const struct {
        const char* name;
        int lowest;
        int highest;
        int (*read)(const SearchSettings&);
    } numbers[] = {
        {"VESPER_TIMEOUT_MS", 1, 60000, [](const SearchSettings& s) { return s.timeoutMs; }},
        {"VESPER_RETRIES", 0, 10, [](const SearchSettings& s) { return s.retries; }},
        {"VESPER_QUIET_MS", 1, 60000, [](const SearchSettings& s) { return s.quietMs; }},
        {"VESPER_SEARCH_MS", 1, 600000, [](const SearchSettings& s) { return s.searchMs; }},
        {"VESPER_PORT", 1, 65535, [](const SearchSettings& s) { return int{s.port}; }},
    };
    for (const auto& number : numbers) {
        const int fallback = number.read(SearchSettings{});
        const std::pair<int, int> cases[] = {{number.lowest, number.lowest},
                                             {number.highest, number.highest},
                                             {number.lowest - 1, fallback},
                                             {number.highest + 1, fallback}};
        for (const auto& [given, taken] : cases) {
            setenv(number.name, std::to_string(given).c_str(), 1);
            EXPECT_EQ(taken, number.read(ReadSearchSettings())) << number.name << "=" << given;
        }
        unsetenv(number.name);
    }
}

// Devices that announce themselves are listed only from addresses of the scope: a subnet asked
// through its broadcast address holds every address of it.
TEST(SearchScope, AddressesInsideTheScope)
{
    auto scope = ParseSearchScope("192.168.7.0/24 10.1.2.3;127.0.0.9-12");
    ASSERT_TRUE(scope);
    for (const char* inside : {"192.168.7.0", "192.168.7.255", "10.1.2.3", "127.0.0.9", "127.0.0.12"})
        EXPECT_TRUE(scope->Contains(*ParseIpv4(inside))) << inside;
    for (const char* outside : {"192.168.8.0", "192.168.6.255", "10.1.2.4", "127.0.0.8", "127.0.0.13"})
        EXPECT_FALSE(scope->Contains(*ParseIpv4(outside))) << outside;
    EXPECT_FALSE(ParseSearchScope("")->Contains(*ParseIpv4("127.0.0.1")));
}
