// The self-test on a share set up as the product sets it up, and with one thing broken at a time.
#include "SelfCheckFixture.h"

namespace {

using selfcheck::Status;

TEST(SelfCheck, AWellSetUpShareIsOkButForWhatALoopbackOnlyNetworkCannotGive)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    const std::string& user = setup.account.name;
    auto results = selfcheck::RunChecks(setup.input);
    ASSERT_EQ(results.size(), 9u);
    std::vector<std::string> shown;
    for (const auto& result : results)
        shown.push_back(result.name + ": " + Shown(result));
    EXPECT_EQ(shown, (std::vector<std::string>{
        "samba-installed: ok | /usr/sbin/smbd and /usr/bin/net are installed | ",
        "smbd-listening: problem | smbd answers on TCP port 445 of loopback only (127.0.0.1), and this computer has no "
        "network address but loopback | connect this computer to the device's network",
        "samba-account: ok | " + user + " has a Samba password | ",
        "computer-name: problem | doctorpc does not resolve to an address, and no NetBIOS name server (nmbd) answers on "
        "UDP port 137 | systemctl start nmbd",
        "protocol: ok | server min protocol = SMB2_02 and ntlm auth = ntlmv2-only admit a device that speaks SMB2 with NTLMv2 | ",
        "usershare-group: skipped | no account given that makes the shares | ",
        "share: ok | share Scans serves " + setup.folder + " and gives " + user + " full access | ",
        "folder-rights: ok | " + user + " has rwx on " + setup.folder + " and may pass every folder above it | ",
        "firewall: skipped | /usr/sbin/nft is not installed; the firewall was not read | ",
    }));
    EXPECT_EQ(selfcheck::CheckNames(), (std::vector<std::string>{"samba-installed", "smbd-listening", "samba-account",
                                                                 "computer-name", "protocol", "usershare-group", "share",
                                                                 "folder-rights",
                                                                 "firewall"}));
    // Where NetBIOS is switched off, the fix switches it on first.
    ASSERT_TRUE(setup.samba.SetGlobal("disable netbios = yes"));
    EXPECT_EQ(Shown(setup.Check("computer-name")),
              "problem | doctorpc does not resolve to an address, and no NetBIOS name server (nmbd) answers on UDP port "
              "137 | add to [global] in " + setup.Config() + ": disable netbios = no; then run: systemctl restart nmbd");
}

TEST(SelfCheck, AStoppedSmbdIsNamed)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    setup.samba.StopServer();
    EXPECT_EQ(Shown(setup.Check("smbd-listening")),
              "problem | nothing listens on TCP port 445: smbd is not running | systemctl start smbd");
}

TEST(SelfCheck, AnAccountWithoutSambaPasswordIsNamed)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make(false));
    EXPECT_EQ(Shown(setup.Check("samba-account")), "problem | " + setup.account.name + " has no Samba password | smbpasswd -c " +
                                                       setup.Config() + " -a " + setup.account.name);
}

TEST(SelfCheck, AMissingAccountIsNamed)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    setup.input.account = "tqanobody";
    EXPECT_EQ(Shown(setup.Check("samba-account")),
              "problem | there is no account tqanobody on this computer | useradd -M -s /usr/sbin/nologin tqanobody && "
              "smbpasswd -c " + setup.Config() + " -a tqanobody");
    EXPECT_EQ(Shown(setup.Check("folder-rights")),
              "skipped | no account tqanobody to check the rights on " + setup.folder + " against | ");
}

TEST(SelfCheck, ARemovedShareIsNamed)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    ASSERT_EQ(platform::IShares::Default().DeleteShare(u"Scans"), 0);
    EXPECT_EQ(Shown(setup.Check("share")), "problem | there is no share Scans | net -s " + setup.Config() +
                                               " usershare add Scans " + setup.folder + " '' " + setup.account.name +
                                               ":f guest_ok=n");
}

TEST(SelfCheck, AShareThatDeniesTheAccountIsNamed)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    // A new share of the product admits no one until its entry is set.
    ASSERT_EQ(platform::IShares::Default().DeleteShare(u"Scans"), 0);
    ASSERT_EQ(platform::IShares::Default().AddShare(u"Scans", CString::FromUtf8(setup.folder)), 0);
    EXPECT_EQ(Shown(setup.Check("share")), "problem | share Scans denies " + setup.account.name +
                                               " (access list Everyone:D,) | net -s " + setup.Config() +
                                               " usershare add Scans " + setup.folder + " '' " + setup.account.name +
                                               ":f guest_ok=n");
}

TEST(SelfCheck, AShareOfAnotherFolderIsNamed)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    std::string other = setup.samba.Root() + "/Other";
    ASSERT_EQ(mkdir(other.c_str(), 0755), 0);
    setup.input.folder = other;
    EXPECT_EQ(Shown(setup.Check("share")), "problem | share Scans serves " + setup.folder + ", not " + other +
                                               " | net -s " + setup.Config() + " usershare add Scans " + other +
                                               " '' " + setup.account.name + ":f guest_ok=n");
}

TEST(SelfCheck, TheFolderWithoutTheAccountsEntryIsNamed)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    const std::string& user = setup.account.name;
    ASSERT_NO_FATAL_FAILURE(SetUpShare::SetFacl({"-x", "u:" + user, setup.folder}));
    EXPECT_EQ(Shown(setup.Check("folder-rights")), "problem | " + user + " has --- on " + setup.folder +
                                                       ", needs rwx | setfacl -m u:" + user + ":rwx " + setup.folder);
}

TEST(SelfCheck, TheMaskLimitsTheAccountsEntry)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    const std::string& user = setup.account.name;
    ASSERT_NO_FATAL_FAILURE(SetUpShare::SetFacl({"-m", "m::r-x", setup.folder}));
    EXPECT_EQ(Shown(setup.Check("folder-rights")), "problem | " + user + " has r-x on " + setup.folder +
                                                       ", needs rwx | setfacl -m u:" + user + ":rwx " + setup.folder);
}

TEST(SelfCheck, AParentWithoutSearchRightIsNamed)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    const std::string& user = setup.account.name;
    std::string outer = setup.samba.Root() + "/Outer";
    std::string inner = outer + "/Scans";
    ASSERT_EQ(mkdir(outer.c_str(), 0700), 0);
    ASSERT_EQ(mkdir(inner.c_str(), 0700), 0);
    ASSERT_NO_FATAL_FAILURE(SetUpShare::SetFacl({"-m", "u:" + user + ":rwx", inner}));
    setup.input.folder = inner;
    EXPECT_EQ(Shown(setup.Check("folder-rights")), "problem | " + user + " may not pass " + outer +
                                                       " (no search right) | setfacl -m u:" + user + ":x " + outer);
    ASSERT_NO_FATAL_FAILURE(SetUpShare::SetFacl({"-m", "u:" + user + ":x", outer}));
    EXPECT_EQ(setup.Check("folder-rights").status, Status::Ok);
}

TEST(SelfCheck, AMissingFolderIsNamed)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    std::string missing = setup.samba.Root() + "/My Scans";
    setup.input.folder = missing;
    EXPECT_EQ(Shown(setup.Check("folder-rights")), "problem | " + missing + " does not exist | mkdir -p '" + missing +
                                                       "' && setfacl -m u:" + setup.account.name + ":rwx '" + missing + "'");
}

TEST(SelfCheck, ADifferentNameInTheDevicesPathIsNamed)
{
    SetUpShare setup;
    ASSERT_NO_FATAL_FAILURE(setup.Make());
    setup.input.computerName = "otherpc.example";
    EXPECT_EQ(Shown(setup.Check("computer-name")),
              "problem | the device's path names otherpc.example, but Samba calls this computer DOCTORPC | add to [global] in " +
                  setup.Config() + ": netbios name = OTHERPC; then run: systemctl restart smbd");
    setup.input.computerName = "127.0.0.1";
    EXPECT_EQ(Shown(setup.Check("computer-name")),
              "problem | the device's path names 127.0.0.1, a loopback address | use this computer's network address or "
              "name in the device's path");
}

} // namespace
