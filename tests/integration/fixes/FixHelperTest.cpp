// Each request of the privileged helper and each refusal, run as pkexec runs the helper.
#include "HelperFixture.h"

#include "fixes/OldDeviceBlock.h"
#include "platform/security/SambaPassdb.h"
#include "selfcheck/SambaParameter.h"

#include <grp.h>

namespace {

bool InSambashare(const std::string& name)
{
    const group* entry = getgrnam("sambashare");
    for (char** member = entry ? entry->gr_mem : nullptr; member && *member; ++member)
        if (name == *member)
            return true;
    return false;
}

TEST_F(HelperTest, TheCallerJoinsSambashareOnceAndOnlyTheCaller)
{
    SambaFixture::Account alice = samba.AddDesktopAccount(false), bob = samba.AddDesktopAccount(false);
    ASSERT_FALSE(alice.name.empty());
    ASSERT_FALSE(bob.name.empty());
    platform::ProgramResult joined = Helper(alice, {"join-sambashare"});
    EXPECT_EQ(joined.exitCode, 0) << joined.output;
    EXPECT_NE(joined.output.find("added " + alice.name + " to group sambashare; it counts from the account's next login\n"),
              std::string::npos) << joined.output;
    EXPECT_TRUE(InSambashare(alice.name));
    EXPECT_FALSE(InSambashare(bob.name));

    platform::ProgramResult again = Helper(alice, {"join-sambashare"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_NE(again.output.find(alice.name + " is in group sambashare already\n"), std::string::npos) << again.output;

    // The account comes from PKEXEC_UID alone, never from a word.
    platform::ProgramResult named = Helper(alice, {"join-sambashare", bob.name});
    EXPECT_EQ(named.exitCode, 2);
    EXPECT_NE(named.output.find("refused: join-sambashare takes no more words (the account is the caller's own)"),
              std::string::npos) << named.output;
    EXPECT_FALSE(InSambashare(bob.name));
}

TEST_F(HelperTest, ASambaPasswordComesOnStandardInputAndNeverShows)
{
    SambaFixture::Account alice = samba.AddDesktopAccount(false);
    SambaFixture::Account scanner = samba.AddAccount(false);
    ASSERT_FALSE(scanner.name.empty());
    ASSERT_EQ(platform::ReadPassdbEntry(scanner.name).answer, platform::PassdbAnswer::Unknown);
    const std::string password = "Secret-\"$(id)'-pw";
    platform::ProgramResult set = Helper(alice, {"set-samba-password", scanner.name}, password + "\n");
    EXPECT_EQ(set.exitCode, 0) << set.output;
    EXPECT_EQ(set.output.find("Secret"), std::string::npos) << set.output;
    EXPECT_EQ(platform::ReadPassdbEntry(scanner.name).answer, platform::PassdbAnswer::Listed);
    ASSERT_TRUE(samba.StartServer());
    EXPECT_EQ(samba.Client("IPC$", {scanner.name, password, ""}, "exit").exitCode, 0);
    EXPECT_NE(samba.Client("IPC$", {scanner.name, "another", ""}, "exit").exitCode, 0);

    platform::ProgramResult none = Helper(alice, {"set-samba-password", alice.name}, "");
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_NE(none.output.find("refused: no password came on standard input (one line)"), std::string::npos);
}

TEST_F(HelperTest, AccountsThatAreNoPersonsAndHostileWordsAreRefusedBeforeAnythingRuns)
{
    SambaFixture::Account alice = samba.AddDesktopAccount(false);
    ASSERT_FALSE(alice.name.empty());
    const std::string config = ReadText(samba.ConfigPath());
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"set-samba-password", "root"}, "root is not an account of a person (uid 0)"},
        {{"set-samba-password", "daemon"}, "daemon is not an account of a person (uid 1)"},
        {{"set-samba-password", "nosuchaccount"}, "there is no account nosuchaccount on this computer"},
        {{"set-samba-password", "-c/tmp/x"}, "refused: \"-c/tmp/x\" is not an account name"},
        {{"set-samba-password", "a b"}, "refused: \"a b\" is not an account name"},
        {{"set-samba-password", "../alice"}, "refused: \"../alice\" is not an account name"},
        {{"set-samba-password"}, "refused: missing account name"},
        {{"open-firewall", "0.0.0.0"}, "refused: \"0.0.0.0\" is not the address of one device"},
        {{"open-firewall", "192.168.1.0/24"}, "refused: \"192.168.1.0/24\" is not the address of one device"},
        {{"open-firewall", "127.0.0.1"}, "refused: \"127.0.0.1\" is not the address of one device"},
        {{"open-firewall", "192.168.1.20;reboot"}, "refused: \"192.168.1.20;reboot\" is not the address of one device"},
        {{"allow-old-device", "smb1", "smb1"}, "refused: allow-old-device takes smb1 and ntlmv1, each once, not \"smb1\""},
        {{"allow-old-device", "server min protocol = CORE"}, "refused: allow-old-device takes smb1 and ntlmv1"},
        {{"start-samba", "sshd"}, "refused: start-samba takes only the word nmbd"},
        {{"usermod", "-aG", "sudo"}, "refused: unknown request \"usermod\""},
        {{}, "refused: no request given"},
    };
    for (const auto& [words, said] : cases) {
        platform::ProgramResult run = Helper(alice, words, "pw\n");
        EXPECT_NE(run.exitCode, 0) << said;
        EXPECT_NE(run.output.find(said), std::string::npos) << run.output;
    }
    EXPECT_EQ(ReadText(samba.ConfigPath()), config);
    EXPECT_EQ(Calls(), "");
    EXPECT_EQ(platform::ReadPassdbEntry("root").answer, platform::PassdbAnswer::Unknown);
}

TEST_F(HelperTest, OnlyRootStartedByTheAccountOfPkexecUidIsServed)
{
    SambaFixture::Account alice = samba.AddDesktopAccount(false), bob = samba.AddDesktopAccount(false);
    ASSERT_FALSE(bob.name.empty());
    // Started by Bob's process, PKEXEC_UID naming Alice.
    platform::ProgramResult other = Helper(UidOf(bob.name), UidOf(alice.name), {"join-sambashare"});
    EXPECT_EQ(other.exitCode, 2);
    EXPECT_NE(other.output.find("refused: the program that started the helper does not run as the account "
                                "PKEXEC_UID names (uid " + std::to_string(UidOf(alice.name)) + ")"),
              std::string::npos) << other.output;
    // root's own process naming root.
    platform::ProgramResult root = Helper(0, 0, {"join-sambashare"});
    EXPECT_NE(root.output.find("refused: the caller root is not an account of a person (uid 1000 and above)"),
              std::string::npos) << root.output;
    // Not root at all: Alice runs it herself, PKEXEC_UID forged.
    setenv("PKEXEC_UID", std::to_string(UidOf(alice.name)).c_str(), 1);
    platform::ProgramResult plain = samba.RunAs(alice, {TARROW_FIX_HELPER, "join-sambashare"});
    EXPECT_EQ(plain.exitCode, 2);
    EXPECT_NE(plain.output.find("refused: this helper changes the system and runs only as root"), std::string::npos)
        << plain.output;
    unsetenv("PKEXEC_UID");
    platform::ProgramResult unset = platform::RunProgram({TARROW_TEST_CALLER, std::to_string(UidOf(alice.name)),
                                                          TARROW_FIX_HELPER, "join-sambashare"});
    EXPECT_NE(unset.output.find("refused: PKEXEC_UID does not name the calling account"), std::string::npos);
    EXPECT_FALSE(InSambashare(alice.name));
    EXPECT_FALSE(InSambashare(bob.name));
}

TEST_F(HelperTest, SambasServersStartAndAFailureUndoesWhatTheRequestDid)
{
    SambaFixture::Account alice = samba.AddDesktopAccount(false);
    Refuse("start", "nmbd");
    platform::ProgramResult failed = Helper(alice, {"start-samba", "nmbd"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.output.find("systemctl could not start nmbd: systemctl: refused start nmbd (see: journalctl -u nmbd)"),
              std::string::npos) << failed.output;
    EXPECT_EQ(Calls(), "systemctl is-enabled --quiet smbd\nsystemctl enable smbd\nsystemctl is-active --quiet smbd\n"
                       "systemctl start smbd\nsystemctl is-enabled --quiet nmbd\nsystemctl enable nmbd\n"
                       "systemctl is-active --quiet nmbd\nsystemctl start nmbd\n"
                       "systemctl disable nmbd\nsystemctl stop smbd\nsystemctl disable smbd\n");

    std::remove((fakes + "/calls").c_str());
    platform::ProgramResult started = Helper(alice, {"start-samba"});
    EXPECT_EQ(started.exitCode, 0);
    EXPECT_NE(started.output.find("enabled smbd, started smbd\n"), std::string::npos) << started.output;
    platform::ProgramResult again = Helper(alice, {"start-samba"});
    EXPECT_NE(again.output.find("Samba's servers were enabled and running already\n"), std::string::npos);
}

TEST_F(HelperTest, TheOldDeviceBlockIsWrittenReadByTestparmAndTakenOutAgain)
{
    SambaFixture::Account alice = samba.AddDesktopAccount(false);
    const std::string before = ReadText(samba.ConfigPath());
    platform::ProgramResult allowed = Helper(alice, {"allow-old-device", "smb1", "ntlmv1"});
    ASSERT_EQ(allowed.exitCode, 0) << allowed.output;
    const std::string written = ReadText(samba.ConfigPath());
    std::string error;
    EXPECT_EQ(written, fixes::WithOldDeviceBlock(before, true, true, error).value_or(""));
    EXPECT_EQ(selfcheck::ReadSambaParameter("server min protocol").value_or(""), "NT1");
    EXPECT_EQ(selfcheck::ReadSambaParameter("ntlm auth").value_or(""), "ntlmv1-permitted");
    EXPECT_NE(Calls().find("systemctl try-reload-or-restart smbd\n"), std::string::npos);

    platform::ProgramResult again = Helper(alice, {"allow-old-device", "smb1", "ntlmv1"});
    EXPECT_NE(again.output.find("lets the old device in already"), std::string::npos) << again.output;
    EXPECT_EQ(ReadText(samba.ConfigPath()), written);

    // smbd cannot reload: the old text comes back.
    Refuse("try-reload-or-restart", "smbd");
    platform::ProgramResult refused = Helper(alice, {"disallow-old-device"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.output.find("; the file is as it was"), std::string::npos) << refused.output;
    EXPECT_EQ(ReadText(samba.ConfigPath()), written);

    std::remove((fakes + "/refuse-try-reload-or-restart-smbd").c_str());
    platform::ProgramResult removed = Helper(alice, {"disallow-old-device"});
    EXPECT_EQ(removed.exitCode, 0) << removed.output;
    EXPECT_EQ(ReadText(samba.ConfigPath()), before);
}

TEST_F(HelperTest, TheFirewallInChargeOpensPort445ForTheDeviceAloneAndClosesItAgain)
{
    SambaFixture::Account alice = samba.AddDesktopAccount(false);
    // nftables: a drop policy; the opening goes into that chain, marked, and is found again.
    const std::string chain = "table inet filter { # handle 1\n"
                              "\tchain input { # handle 1\n"
                              "\t\ttype filter hook input priority filter; policy drop;\n";
    std::ofstream(fakes + "/ruleset") << chain << "\t}\n}\n";
    Fake("nft", "[ \"$1 $2 $3\" = \"-a list ruleset\" ] && cat \"$d/ruleset\"\nexit 0\n");
    platform::ProgramResult opened = Helper(alice, {"open-firewall", "192.168.1.30"});
    EXPECT_EQ(opened.exitCode, 0) << opened.output;
    EXPECT_NE(Calls().find("nft insert rule inet filter input ip saddr 192.168.1.30 tcp dport 445 accept comment "
                           "\"tarrow scans from 192.168.1.30\"\n"),
              std::string::npos) << Calls();
    std::ofstream(fakes + "/ruleset") << chain << "\t\tip saddr 192.168.1.20 tcp dport 445 accept comment "
                                                  "\"tarrow scans from 192.168.1.20\" # handle 7\n\t}\n}\n";
    platform::ProgramResult closed = Helper(alice, {"close-firewall", "192.168.1.20"});
    EXPECT_EQ(closed.exitCode, 0) << closed.output;
    EXPECT_NE(Calls().find("nft delete rule inet filter input handle 7\n"), std::string::npos) << Calls();

    // ufw, when it is active, is in charge.
    Fake("ufw", "[ \"$1\" = status ] && echo 'Status: active'\nexit 0\n");
    std::remove((fakes + "/calls").c_str());
    EXPECT_EQ(Helper(alice, {"open-firewall", "192.168.1.30"}).exitCode, 0);
    EXPECT_EQ(Helper(alice, {"close-firewall", "192.168.1.30"}).exitCode, 0);
    EXPECT_EQ(Calls(), "ufw status\nufw allow proto tcp from 192.168.1.30 to any port 445\n"
                       "ufw status\nufw delete allow proto tcp from 192.168.1.30 to any port 445\n");
}

} // namespace
