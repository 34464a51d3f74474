// tarrowctl as desktop users run it: the programs, in a folder the users cannot write, started by
// accounts that are not root, with homes others cannot enter, against Debian's own Samba
// configuration. Every set-up either works until a scan lands, or fails before anything is made
// with the reason and its fix.
#include "CtlFixture.h"

#include "ctl/ExitCodes.h"
#include "support/SambaFixture.h"


using namespace ctltest;

namespace {

namespace fs = std::filesystem;

// The built programs, in a folder that belongs to root: the users run them as installed ones.
const std::string kTarrowctl = (fs::path(TARROW_NETWORK_PROGRAM).parent_path() / "tarrowctl").string();

class DesktopUsersTest : public CtlTest {
protected:
    void SetUp() override
    {
        CtlTest::SetUp();
        ASSERT_TRUE(samba.IsReady());
        ASSERT_TRUE(samba.StartServer());
        device = &AddDevice(5);
        StartAgent();
        ASSERT_TRUE(platform::ISystemInfo::Default().GetComputerName(computer));
        device->SetNameTable({{computer.ToUtf8(), "127.0.0.1"}});
    }

    SambaFixture::Account Desktop(bool inSambashare = true) { return samba.AddDesktopAccount(inSambashare); }

    // tarrowctl add run by the account, with the password on standard input.
    platform::ProgramResult Add(const SambaFixture::Account& by, const std::vector<std::string>& extra,
                                const std::string& password)
    {
        std::vector<std::string> command{kTarrowctl, "add", "127.0.0.5", "--password-stdin"};
        command.insert(command.end(), extra.begin(), extra.end());
        return samba.RunAs(by, command, password + "\n");
    }

    static std::string ScansOf(const SambaFixture::Account& account, const std::string& name)
    {
        return account.home + "/Norvik_Scans/" + name;
    }

    SambaFixture samba;
    simdevice::SimulatedDevice* device = nullptr;
    CString computer;
};

} // namespace

TEST_F(DesktopUsersTest, TwoUsersEachSetUpAFolderThatTheScansReach)
{
    SambaFixture::Account alice = Desktop(), bob = Desktop();
    ASSERT_FALSE(alice.name.empty());
    ASSERT_FALSE(bob.name.empty());
    // Alice's share lies in a home that Bob cannot enter.
    platform::ProgramResult first = Add(alice, {"--name", "AliceScans"}, alice.password);
    ASSERT_EQ(first.exitCode, kExitOk) << first.output;
    platform::ProgramResult second = Add(bob, {"--name", "BobScans"}, bob.password);
    ASSERT_EQ(second.exitCode, kExitOk) << second.output;
    for (const auto& [name, owner] : {std::pair{"AliceScans", alice}, std::pair{"BobScans", bob}}) {
        simdevice::ScanResult scanned = device->Scan({name, "", "", ""});
        EXPECT_TRUE(scanned.ok) << name << ": " << scanned.status;
        EXPECT_TRUE(fs::exists(ScansOf(owner, name) + "/Scan_0001.pdf")) << name;
    }

    // Alice's share is still seen, and its name refused, although its folder is not.
    platform::ProgramResult taken = Add(bob, {"--name", "alicescans"}, bob.password);
    EXPECT_EQ(taken.exitCode, kExitFailed);
    EXPECT_NE(taken.output.find("the name \"alicescans\" cannot be used: it is already used by a folder, a share"),
              std::string::npos)
        << taken.output;
    EXPECT_FALSE(fs::exists(ScansOf(bob, "alicescans")));
}

TEST_F(DesktopUsersTest, AGuestSessionIsNoLogonAndItsCauseIsNamed)
{
    SambaFixture::Account alice = Desktop();
    ASSERT_FALSE(alice.name.empty());
    // An account of this computer that never had a Samba password, and a misspelled name.
    SambaFixture::Account unixOnly = samba.AddAccount(false);
    ASSERT_FALSE(unixOnly.name.empty());
    for (const std::string& user : {unixOnly.name, alice.name + "x"}) {
        platform::ProgramResult run = Add(alice, {"--name", "Scans", "--user", user}, "any password");
        EXPECT_EQ(run.exitCode, kExitLogonRefused) << run.output;
        EXPECT_NE(run.output.find("tarrowctl: error: this computer's Samba server gave " + user +
                                  " only a guest session, which cannot write into the folder: the account has no "
                                  "Samba password, or there is no account of that name.\nFix: tarrowctl doctor --fix --user " +
                                  user + " --password-stdin (sets this password as its Samba password, after one "
                                  "authentication), or check the spelling\n"),
                  std::string::npos)
            << run.output;
    }
    EXPECT_FALSE(fs::exists(ScansOf(alice, "Scans")));
    EXPECT_TRUE(device->Folders().empty());
}

TEST_F(DesktopUsersTest, WhatSambaRefusesIsToldWithItsFixAndNothingIsMade)
{
    SambaFixture::Account outsider = Desktop(false), alice = Desktop();
    ASSERT_FALSE(outsider.name.empty());
    ASSERT_FALSE(alice.name.empty());

    platform::ProgramResult notMember = Add(outsider, {"--name", "Scans"}, outsider.password);
    EXPECT_EQ(notMember.exitCode, kExitFailed);
    EXPECT_NE(notMember.output.find("tarrowctl: error: the folder could not be set up on this computer:\n"
                                    "the usershare folder " + samba.Root() + "/usershares cannot be opened by this "
                                    "account: Permission denied\nFix: add the account " + outsider.name + " to group sambashare (sudo usermod "
                                    "-aG sambashare " + outsider.name + "), then log out and in again\n"),
              std::string::npos)
        << notMember.output;
    EXPECT_FALSE(fs::exists(ScansOf(outsider, "Scans")));

    // With [homes], every account's name is its home folder's share.
    platform::ProgramResult accountName = Add(alice, {"--name", outsider.name}, alice.password);
    EXPECT_EQ(accountName.exitCode, kExitFailed);
    EXPECT_NE(accountName.output.find("the name \"" + outsider.name + "\" cannot be used: net usershare add: share "
                                      "name " + outsider.name + " is already a valid system user name\nFix: choose "
                                      "another folder name: Samba keeps the name of every account of this computer "
                                      "for its home folder ([homes] in " + samba.ConfigPath() + ")\n"),
              std::string::npos)
        << accountName.output;
    EXPECT_FALSE(fs::exists(ScansOf(alice, outsider.name)));
    EXPECT_TRUE(device->Folders().empty());
}

TEST_F(DesktopUsersTest, DoctorRunByTheUserSkipsWhatNeedsRoot)
{
    SambaFixture::Account alice = Desktop();
    ASSERT_FALSE(alice.name.empty());
    ASSERT_EQ(Add(alice, {"--name", "Scans"}, alice.password).exitCode, kExitOk);
    const platform::ProgramResult run =
        samba.RunAs(alice, {kTarrowctl, "doctor", "--share", "Scans"});
    EXPECT_NE(run.output.find("skipped samba-account: needs root (run: sudo tarrowctl doctor)\n"), std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find(" has no Samba password"), std::string::npos) << run.output;
}

TEST_F(DesktopUsersTest, ADataFileThatCannotBeWrittenIsNoAnswer)
{
    SambaFixture::Account alice = Desktop();
    ASSERT_FALSE(alice.name.empty());
    // A run folder of alice's own that she cannot write into.
    const std::string run = alice.home + "/run";
    ASSERT_EQ(samba.RunAs(alice, {"/bin/mkdir", "-m", "0500", run}).exitCode, 0);
    platform::ProgramResult check = samba.RunAs(
        alice, {"/usr/bin/env", "TARROW_RUN_DIR=" + run, TARROW_NETWORK_PROGRAM, "-ipaddress", "127.0.0.5"});
    EXPECT_EQ(check.exitCode, 2) << check.output;
    EXPECT_NE(FileText(alice.home + "/C/Tarrow.log").find("ERROR: Unable to Create Data file: " + run + "/tarrow.data"),
              std::string::npos);
}
