#include "vesper/NeighbourTable.h"

#include <gtest/gtest.h>

using namespace vesper;

TEST(NeighbourTable, CompleteEntriesWithTheMac)
{
    const char* table =
        "IP address       HW type     Flags       HW address            Mask     Device\n"
        "192.0.2.1        0x1         0x2         02:fc:00:00:00:05     *        eth0\n"
        "192.0.2.7        0x1         0x0         02:fc:00:00:00:05     *        eth0\n"
        "192.0.2.9        0x1         0x6         02:FC:00:00:00:05     *        eth1\n"
        "192.0.2.10       0x1         0x2         02:fc:00:00:00:06     *        eth0\n"
        "garbage\n";
    auto mac = *ParseMac("02-FC-00-00-00-05");
    EXPECT_EQ((std::vector<Ipv4>{*ParseIpv4("192.0.2.1"), *ParseIpv4("192.0.2.9")}), AddressesWithMac(table, mac));
    EXPECT_TRUE(AddressesWithMac("", mac).empty());
}
