// Whether smbd's sockets cover an address other devices reach.
#include "selfcheck/Reachability.h"

#include "platform/shares/SambaConfig.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using selfcheck::InterfaceAddress;
using selfcheck::JudgeReachability;
using selfcheck::LocalSocket;
using selfcheck::Status;

const LocalSocket kLoopback{AF_INET, "127.0.0.1", 445, false, true};
const LocalSocket kAnyIpv4{AF_INET, "0.0.0.0", 445, true, false};
const LocalSocket kAnyIpv6{AF_INET6, "::", 445, true, false};
const InterfaceAddress kLan{"eth0", AF_INET, "192.168.1.5"};
const InterfaceAddress kWifi{"wlan0", AF_INET, "10.0.0.7"};

class Reachability : public ::testing::Test {
protected:
    void SetUp() override { unsetenv(platform::kSambaConfigVariable); }
};

TEST_F(Reachability, AWildcardSocketCoversTheNetworkAddresses)
{
    auto result = JudgeReachability(445, {kLoopback, kAnyIpv4}, {kLan, kWifi});
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.detail, "smbd answers on TCP port 445 of 192.168.1.5, 10.0.0.7");
    EXPECT_EQ(result.fix, "");
    EXPECT_EQ(JudgeReachability(445, {kAnyIpv6}, {kLan}).status, Status::Ok);
}

TEST_F(Reachability, ASocketOfOneAddressCoversThatOneOnly)
{
    LocalSocket lanOnly{AF_INET, "192.168.1.5", 445, false, false};
    auto result = JudgeReachability(1445, {lanOnly}, {kLan, kWifi});
    EXPECT_EQ(result.status, Status::Ok);
    EXPECT_EQ(result.detail, "smbd answers on TCP port 1445 of 192.168.1.5");
}

TEST_F(Reachability, LoopbackOnlyNamesTheInterfacesToAdd)
{
    auto result = JudgeReachability(445, {kLoopback}, {kLan, kWifi, {"eth0", AF_INET6, "2001:db8::5"}});
    EXPECT_EQ(result.status, Status::Problem);
    EXPECT_EQ(result.detail, "smbd answers on TCP port 445 of loopback only (127.0.0.1), not of 192.168.1.5, 10.0.0.7, 2001:db8::5");
    EXPECT_EQ(result.fix, "add to [global] in /etc/samba/smb.conf: interfaces = lo eth0 wlan0; bind interfaces only = yes; "
                          "then run: systemctl restart smbd");
}

TEST_F(Reachability, WithoutANetworkAddressTheComputerNeedsANetwork)
{
    auto result = JudgeReachability(445, {kLoopback}, {});
    EXPECT_EQ(result.status, Status::Problem);
    EXPECT_EQ(result.detail, "smbd answers on TCP port 445 of loopback only (127.0.0.1), and this computer has no network "
                             "address but loopback");
    EXPECT_EQ(result.fix, "connect this computer to the device's network");
}

} // namespace
