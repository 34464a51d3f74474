// The self-test against Samba settings that keep a device out: its dialect, its sign-in, the
// addresses smbd listens on.
#include "SelfCheckFixture.h"

namespace {

using selfcheck::Status;

TEST(SelfCheckSettings, AnSmb1DeviceNeedsTheServersMinimumLowered)
{
    SetUpShare setup({"server min protocol = SMB2"});
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    setup.input.device = {"NT1", false, ""};
    EXPECT_EQ(Shown(setup.Check("protocol")),
              "problem | the device speaks SMB1 (NT1) at its lowest, but server min protocol = SMB2 | add to [global] in " +
                  setup.Config() + ": server min protocol = NT1; then run: systemctl restart smbd");
    setup.input.device = {"SMB2", false, ""};
    EXPECT_EQ(Shown(setup.Check("protocol")),
              "problem | the device speaks SMB2 at its lowest, but server min protocol = SMB2 | add to [global] in " +
                  setup.Config() + ": server min protocol = SMB2_02; then run: systemctl restart smbd");
    setup.input.device = {"SMB3", false, ""};
    EXPECT_EQ(Shown(setup.Check("protocol")),
              "ok | server min protocol = SMB2 and ntlm auth = ntlmv2-only admit a device that speaks SMB3 with NTLMv2 | ");
}

TEST(SelfCheckSettings, AnSmb1DeviceIsAdmittedByNt1)
{
    SetUpShare setup({"server min protocol = NT1"});
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    setup.input.device = {"NT1", false, ""};
    EXPECT_EQ(Shown(setup.Check("protocol")),
              "ok | server min protocol = NT1 and ntlm auth = ntlmv2-only admit a device that speaks SMB1 (NT1) with NTLMv2 | ");
}

TEST(SelfCheckSettings, AnNtlmV1DeviceNeedsNtlmAuthAndBothFixesComeTogether)
{
    // testparm names SMB2_10 "SMB2".
    SetUpShare setup({"ntlm auth = no", "server min protocol = SMB2_10"});
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    setup.input.device = {"SMB2", true, ""};
    EXPECT_EQ(Shown(setup.Check("protocol")),
              "problem | the device speaks SMB2 at its lowest, but server min protocol = SMB2; the device signs in with "
              "NTLMv1, but ntlm auth = ntlmv2-only | add to [global] in " + setup.Config() +
                  ": server min protocol = SMB2_02; ntlm auth = ntlmv1-permitted; then run: systemctl restart smbd");
}

TEST(SelfCheckSettings, AnNtlmV1DeviceIsAdmittedByNtlmV1Permitted)
{
    SetUpShare setup({"ntlm auth = ntlmv1-permitted"});
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    setup.input.device = {"SMB2", true, ""};
    EXPECT_EQ(Shown(setup.Check("protocol")),
              "ok | server min protocol = SMB2_02 and ntlm auth = ntlmv1-permitted admit a device that speaks SMB2 with NTLMv1 | ");
}

// A network interface inside the test's own network namespace: a veth pair whose ends both stay
// there, so nothing leaves the namespace.
void AddNetworkInterface()
{
    for (std::vector<std::string> command : {
             std::vector<std::string>{"/usr/sbin/ip", "link", "add", "tqv0", "type", "veth", "peer", "name", "tqv1"},
             std::vector<std::string>{"/usr/sbin/ip", "addr", "add", "10.77.0.1/24", "dev", "tqv0"},
             std::vector<std::string>{"/usr/sbin/ip", "link", "set", "tqv0", "up"}}) {
        platform::ProgramResult run = platform::RunProgram(command);
        ASSERT_EQ(run.exitCode, 0) << run.output;
    }
}

TEST(SelfCheckSettings, SmbdBoundToLoopbackIsNamedWithTheInterfaceToAdd)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    ASSERT_NO_FATAL_FAILURE(AddNetworkInterface());
    EXPECT_EQ(Shown(setup.Check("smbd-listening")),
              "problem | smbd answers on TCP port 445 of loopback only (127.0.0.1), not of 10.77.0.1 | add to [global] in " +
                  setup.Config() + ": interfaces = lo tqv0; bind interfaces only = yes; then run: systemctl restart smbd");
}

TEST(SelfCheckSettings, SmbdOnEveryAddressAnswersForTheNetwork)
{
    SetUpShare setup({"bind interfaces only = no"});
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    ASSERT_NO_FATAL_FAILURE(AddNetworkInterface());
    EXPECT_EQ(Shown(setup.Check("smbd-listening")), "ok | smbd answers on TCP port 445 of 10.77.0.1 | ");
}

} // namespace
