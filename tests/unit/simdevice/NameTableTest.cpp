// The device's host names: resolved without letter case, dotted loopback addresses as they are.
#include "tools/simdevice/scan/NameTable.h"

#include <gtest/gtest.h>

using simdevice::NameTable;

TEST(NameTable, ResolvesNamesWithoutLetterCase)
{
    const NameTable names({{"MyPC", "127.0.0.1"}, {"other", "127.0.0.5"}});
    EXPECT_EQ(names.Resolve("MYPC"), "127.0.0.1");
    EXPECT_EQ(names.Resolve("mypc"), "127.0.0.1");
    EXPECT_EQ(names.Resolve("Other"), "127.0.0.5");
    EXPECT_EQ(names.Resolve("MYPC2"), std::nullopt);
    EXPECT_EQ(names.Resolve(""), std::nullopt);
}

TEST(NameTable, TakesADottedLoopbackAddressAsItIs)
{
    const NameTable names;
    EXPECT_EQ(names.Resolve("127.0.0.1"), "127.0.0.1");
    EXPECT_EQ(names.Resolve("127.1.2.3"), "127.1.2.3");
    EXPECT_EQ(names.Resolve("10.0.0.1"), std::nullopt);
}

TEST(NameTable, LeavesOutAddressesOffLoopback)
{
    const NameTable names({{"far", "192.0.2.1"}, {"word", "somewhere"}, {"", "127.0.0.1"}});
    EXPECT_EQ(names.Resolve("far"), std::nullopt);
    EXPECT_EQ(names.Resolve("word"), std::nullopt);
}

TEST(NameTable, ParsesProgramOptionEntries)
{
    std::string host, address;
    EXPECT_TRUE(simdevice::ParseNameEntry("MYPC=127.0.0.1", host, address));
    EXPECT_EQ(host, "MYPC");
    EXPECT_EQ(address, "127.0.0.1");
    EXPECT_FALSE(simdevice::ParseNameEntry("MYPC", host, address));
    EXPECT_FALSE(simdevice::ParseNameEntry("=127.0.0.1", host, address));
    EXPECT_FALSE(simdevice::ParseNameEntry("MYPC=192.0.2.1", host, address));
    EXPECT_FALSE(simdevice::ParseNameEntry("MYPC=", host, address));
}
