// Listings of /proc/net read into sockets.
#include "selfcheck/ProcNet.h"

#include <gtest/gtest.h>

namespace {

using selfcheck::ParseProcNet;

const char* kTcp =
    "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode\n"
    "   0: 0100007F:01BD 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0        0 1 1 0 100 0 0 10 0\n"
    "   1: 00000000:008B 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0        0 2 1 0 100 0 0 10 0\n"
    "   2: 0501A8C0:01BD 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0        0 3 1 0 100 0 0 10 0\n"
    "   3: 0100007F:01BD 0100007F:C350 01 00000000:00000000 00:00000000 00000000     0        0 4 1 0 100 0 0 10 0\n"
    "   4: 00000000:01BD 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0        0 5 1 0 100 0 0 10 0\n";

TEST(ProcNet, ListeningSocketsOfThePortWithTheirAddresses)
{
    auto sockets = ParseProcNet(kTcp, AF_INET, selfcheck::kTcpListen, 445);
    ASSERT_EQ(sockets.size(), 3u);
    EXPECT_EQ(sockets[0].address, "127.0.0.1");
    EXPECT_TRUE(sockets[0].loopback);
    EXPECT_FALSE(sockets[0].wildcard);
    EXPECT_EQ(sockets[0].port, 445);
    EXPECT_EQ(sockets[1].address, "192.168.1.5");
    EXPECT_FALSE(sockets[1].loopback);
    EXPECT_EQ(sockets[2].address, "0.0.0.0");
    EXPECT_TRUE(sockets[2].wildcard);
    EXPECT_TRUE(ParseProcNet(kTcp, AF_INET, selfcheck::kTcpListen, 1445).empty());
}

TEST(ProcNet, Ipv6AddressesAreReadWordByWord)
{
    const char* tcp6 =
        "  sl  local_address                         remote_address                        st\n"
        "   0: 00000000000000000000000001000000:01BD 00000000000000000000000000000000:0000 0A 0\n"
        "   1: 00000000000000000000000000000000:01BD 00000000000000000000000000000000:0000 0A 0\n"
        "   2: 0000000000000000FFFF00000100007F:01BD 00000000000000000000000000000000:0000 0A 0\n";
    auto sockets = ParseProcNet(tcp6, AF_INET6, selfcheck::kTcpListen, 445);
    ASSERT_EQ(sockets.size(), 3u);
    EXPECT_EQ(sockets[0].address, "::1");
    EXPECT_TRUE(sockets[0].loopback);
    EXPECT_EQ(sockets[1].address, "::");
    EXPECT_TRUE(sockets[1].wildcard);
    EXPECT_EQ(sockets[2].address, "::ffff:127.0.0.1");
    EXPECT_TRUE(sockets[2].loopback);
}

TEST(ProcNet, BrokenLinesAreLeftOut)
{
    EXPECT_TRUE(ParseProcNet("   0: 0100007F01BD 00000000:0000 0A\n"
                             "   1: 0100007G:01BD 00000000:0000 0A\n"
                             "   2: 0100007F:01BD\n",
                             AF_INET, selfcheck::kTcpListen, 445).empty());
}

} // namespace
