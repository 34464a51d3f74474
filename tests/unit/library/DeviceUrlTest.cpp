#include "library/device/DeviceAddress.h"

#include <gtest/gtest.h>

TEST(DeviceUrl, HostNamesAndIpAddressesWithAnOptionalPortMakeTheUrl)
{
    const std::pair<std::string_view, std::string_view> accepted[] = {
        {"192.168.1.20", "https://192.168.1.20/p"},
        {"127.0.0.1:8443", "https://127.0.0.1:8443/p"},
        {"printer-3.office_lan", "https://printer-3.office_lan/p"},
        {"PRN_01:65535", "https://PRN_01:65535/p"},
        {"h:1", "https://h:1/p"},
        {"az.AZ-09_", "https://az.AZ-09_/p"},  // the ends of each character range
        {"::1", "https://[::1]/p"},
        {"fe80::1:2", "https://[fe80::1:2]/p"},
        {"::ffff:127.0.0.1", "https://[::ffff:127.0.0.1]/p"},
        {"[::1]", "https://[::1]/p"},
        {"[2001:db8::7]:443", "https://[2001:db8::7]:443/p"},
    };
    for (const auto& [address, url] : accepted)
        EXPECT_EQ(DeviceUrl(address, "/p"), std::optional<std::string>(url)) << address;
}

TEST(DeviceUrl, AnythingElseIsRefused)
{
    using namespace std::string_view_literals;
    for (std::string_view address : {""sv, "user@host"sv, "host/x"sv, "host?x"sv, "host#x"sv, "a b"sv, " host"sv,
                                     "host\r\nx"sv, "host\0x"sv, "::1\0x"sv, "h\xc3\xa9st"sv, "host:"sv, "host:0"sv,
                                     "host:65536"sv, "host:123456"sv, "host:8a"sv, "host:1:2"sv, ":443"sv, "[::1"sv,
                                     "[::1]x"sv, "[::1]:"sv, "[::1]:0"sv, "[host]"sv, "[]"sv, "::1%lo"sv,
                                     "1.2.3.4%eth0"sv})
        EXPECT_EQ(DeviceUrl(address, "/p"), std::nullopt) << address;
}
