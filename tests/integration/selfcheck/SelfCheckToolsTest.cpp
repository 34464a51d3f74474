// The self-test when a tool is missing, refuses or reports a firewall, scripted; and with nothing
// given to check. The Samba configuration is a private one with its own port.
#include "SelfCheckFixture.h"

namespace {

using selfcheck::Status;

constexpr const char* kNft = "/usr/sbin/nft";

class SelfCheckTools : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(samba.IsReady()); }

    selfcheck::CheckResult Run(const std::string& name)
    {
        for (auto& result : selfcheck::RunChecks(input))
            if (result.name == name)
                return result;
        return {};
    }

    void Nft(std::string ruleset) { programs.results[kNft] = {true, false, 0, std::move(ruleset)}; }

    SambaFixture samba{{"smb ports = 1445"}};
    ScriptedPrograms programs;
    selfcheck::CheckInput input{"root", "", "", "", {}, std::nullopt, ""};
};

const std::string kInputChainHead =
    "table inet filter { # handle 1\n"
    "\tchain input { # handle 1\n";

TEST_F(SelfCheckTools, ARuleThatDropsTheConfiguredPortIsNamedWithItsDeletion)
{
    Nft(kInputChainHead + "\t\ttype filter hook input priority filter; policy accept;\n"
                          "\t\ttcp dport 445 accept # handle 3\n"
                          "\t\ttcp dport 1445 drop # handle 4\n\t}\n}\n");
    EXPECT_EQ(Shown(Run("firewall")),
              "problem | chain inet filter input blocks TCP port 1445: tcp dport 1445 drop | nft delete rule inet filter input handle 4");
}

TEST_F(SelfCheckTools, ADropPolicyWithoutAnAcceptIsNamedWithAnInsertedAccept)
{
    Nft(kInputChainHead + "\t\ttype filter hook input priority filter; policy drop;\n"
                          "\t\tct state established,related accept # handle 2\n"
                          "\t\ttcp dport 22 accept # handle 3\n\t}\n}\n");
    EXPECT_EQ(Shown(Run("firewall")), "problem | chain inet filter input drops TCP port 1445: its policy drops what no rule "
                                      "accepts | nft insert rule inet filter input tcp dport 1445 accept");
}

TEST_F(SelfCheckTools, ARuleWithoutHandleIsNamedWithHowToFindIt)
{
    Nft("table ip fw {\n\tchain smb {\n\t\ttcp dport { 139, 1445 } reject\n\t}\n}\n");
    EXPECT_EQ(Shown(Run("firewall")), "problem | chain ip fw smb blocks TCP port 1445: tcp dport { 139, 1445 } reject | "
                                      "find the rule's handle with nft -a list chain ip fw smb and delete it");
}

TEST_F(SelfCheckTools, RulesThatLeaveThePortOpenAreOk)
{
    Nft(kInputChainHead + "\t\ttype filter hook input priority filter; policy drop;\n"
                          "\t\ttcp dport 445 drop # handle 2\n"
                          "\t\ttcp dport { 22, 1445 } accept # handle 3\n\t}\n}\n");
    EXPECT_EQ(Shown(Run("firewall")), "ok | no firewall rule blocks TCP port 1445 | ");
    Nft("");
    EXPECT_EQ(Shown(Run("firewall")), "ok | no firewall rule blocks TCP port 1445 | ");
}

TEST_F(SelfCheckTools, AnNftThatIsMissingOrRefusesSkipsTheFirewall)
{
    programs.results[kNft] = {};
    EXPECT_EQ(Shown(Run("firewall")), "skipped | /usr/sbin/nft is not installed; the firewall was not read | ");
    programs.results[kNft] = {true, false, 1, "Error: Could not process rule: Operation not permitted\nlist ruleset\n"};
    EXPECT_EQ(Shown(Run("firewall")),
              "skipped | nft could not read the firewall: Error: Could not process rule: Operation not permitted | ");
    programs.results[kNft] = {true, true, -1, ""};
    EXPECT_EQ(Shown(Run("firewall")), "skipped | /usr/sbin/nft did not answer; the firewall was not read | ");
}

TEST_F(SelfCheckTools, MissingSambaProgramsAreNamed)
{
    programs.results["/usr/sbin/smbd"] = {};
    EXPECT_EQ(Shown(Run("samba-installed")),
              "problem | /usr/sbin/smbd cannot be run: Samba is not installed | apt-get install samba");
    programs.results["/usr/bin/net"] = {};
    EXPECT_EQ(Shown(Run("samba-installed")),
              "problem | /usr/sbin/smbd and /usr/bin/net cannot be run: Samba is not installed | apt-get install samba");
}

TEST_F(SelfCheckTools, APdbeditThatFailsOrTestparmThatFailsSkipsTheirChecks)
{
    programs.results["/usr/bin/pdbedit"] = {true, false, 255, "Failed to open passdb\n"};
    EXPECT_EQ(Shown(Run("samba-account")), "skipped | /usr/bin/pdbedit could not read Samba's accounts (exit status 255) | ");
    programs.results["/usr/bin/pdbedit"] = {};
    EXPECT_EQ(Shown(Run("samba-account")), "skipped | /usr/bin/pdbedit could not be run | ");

    programs.results["/usr/bin/testparm"] = {true, false, 1, "Error loading services.\n"};
    input.computerName = "doctorpc";
    EXPECT_EQ(Shown(Run("protocol")), "skipped | testparm could not read " + samba.ConfigPath() + " | ");
    EXPECT_EQ(Shown(Run("computer-name")), "skipped | testparm could not read " + samba.ConfigPath() + " | ");
    input.device.lowestDialect = "SMB4";
    EXPECT_EQ(Shown(Run("protocol")), "skipped | unknown SMB dialect SMB4 for the device (NT1, SMB2 or SMB3) | ");
}

TEST_F(SelfCheckTools, NothingGivenIsSkipped)
{
    input = {};
    EXPECT_EQ(Shown(Run("samba-account")), "skipped | no account given | ");
    EXPECT_EQ(Shown(Run("computer-name")), "skipped | no computer name given | ");
    EXPECT_EQ(Shown(Run("share")), "skipped | no share name given | ");
    EXPECT_EQ(Shown(Run("folder-rights")), "skipped | no folder given | ");
}

} // namespace
