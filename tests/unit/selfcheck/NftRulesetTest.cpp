// Rule sets as `nft -a list ruleset` prints them: which block TCP port 445, which do not.
#include "selfcheck/NftRuleset.h"

#include <gtest/gtest.h>

namespace {

using selfcheck::FindBlockingRule;

std::string InputChain(const std::string& policy, const std::string& rules)
{
    return "table inet filter { # handle 1\n"
           "\tchain input { # handle 1\n"
           "\t\ttype filter hook input priority filter; policy " + policy + ";\n" + rules +
           "\t}\n"
           "}\n";
}

TEST(NftRuleset, ADropOfThePortIsFoundWithItsHandle)
{
    auto found = FindBlockingRule(InputChain("accept", "\t\ttcp dport 22 accept # handle 3\n"
                                                       "\t\ttcp dport 445 drop # handle 4\n"), 445);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->family, "inet");
    EXPECT_EQ(found->table, "filter");
    EXPECT_EQ(found->chain, "input");
    EXPECT_EQ(found->rule, "tcp dport 445 drop");
    EXPECT_EQ(found->handle, 4);
    EXPECT_FALSE(found->policy);
}

TEST(NftRuleset, ARejectBySetOrRangeBlocksAndAnotherPortDoesNot)
{
    auto bySet = FindBlockingRule(InputChain("accept", "\t\ttcp dport { 139, 445 } reject with tcp reset # handle 7\n"), 445);
    ASSERT_TRUE(bySet);
    EXPECT_EQ(bySet->rule, "tcp dport { 139, 445 } reject with tcp reset");
    EXPECT_EQ(bySet->handle, 7);

    auto byRange = FindBlockingRule(
        "table ip fw { # handle 2\n\tchain in { # handle 1\n\t\ttype filter hook input priority 0; policy accept;\n"
        "\t\tip saddr 10.0.0.0/8 th dport 400-500 counter packets 0 bytes 0 drop # handle 9\n\t}\n}\n", 445);
    ASSERT_TRUE(byRange);
    EXPECT_EQ(byRange->family, "ip");
    EXPECT_EQ(byRange->table, "fw");
    EXPECT_EQ(byRange->chain, "in");
    EXPECT_EQ(byRange->handle, 9);

    EXPECT_FALSE(FindBlockingRule(InputChain("accept", "\t\ttcp dport { 139, 4450 } drop # handle 4\n"
                                                       "\t\ttcp dport 446-500 drop # handle 5\n"), 445));
    // The configured port counts, not 445.
    EXPECT_FALSE(FindBlockingRule(InputChain("accept", "\t\ttcp dport 445 drop # handle 4\n"), 1445));
}

TEST(NftRuleset, NegationsOtherProtocolsAndOutgoingChainsDoNotBlock)
{
    EXPECT_FALSE(FindBlockingRule(InputChain("accept", "\t\ttcp dport != 445 drop # handle 4\n"
                                                       "\t\tudp dport 445 drop # handle 5\n"
                                                       "\t\ttcp sport 445 drop # handle 6\n"), 445));
    EXPECT_FALSE(FindBlockingRule(
        "table inet filter {\n\tchain output {\n\t\ttype filter hook output priority filter; policy drop;\n"
        "\t\ttcp dport 445 drop\n\t}\n}\n", 445));
    EXPECT_FALSE(FindBlockingRule("", 445));
}

TEST(NftRuleset, ARegularChainCountsAndAListingWithoutHandlesGivesNone)
{
    auto found = FindBlockingRule(
        "table inet filter {\n\tchain smb {\n\t\ttcp dport microsoft-ds drop\n\t}\n"
        "\tchain input {\n\t\ttype filter hook input priority filter; policy accept;\n\t\tjump smb\n\t}\n}\n", 445);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->chain, "smb");
    EXPECT_EQ(found->rule, "tcp dport microsoft-ds drop");
    EXPECT_EQ(found->handle, -1);
}

TEST(NftRuleset, ADropPolicyBlocksUnlessARuleMayAcceptThePort)
{
    auto found = FindBlockingRule(InputChain("drop", "\t\tct state established,related accept # handle 2\n"
                                                     "\t\tiifname \"lo\" accept # handle 3\n"
                                                     "\t\tip protocol icmp accept # handle 4\n"
                                                     "\t\ttcp dport 22 accept # handle 5\n"), 445);
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->policy);
    EXPECT_EQ(found->rule, "policy drop");
    EXPECT_EQ(found->chain, "input");
    EXPECT_EQ(found->handle, -1);

    EXPECT_FALSE(FindBlockingRule(InputChain("drop", "\t\ttcp dport { 139, 445 } accept # handle 5\n"), 445));
    EXPECT_FALSE(FindBlockingRule(InputChain("drop", "\t\tip saddr 192.168.1.0/24 accept # handle 5\n"), 445));
    EXPECT_FALSE(FindBlockingRule(InputChain("drop", "\t\tjump allowed # handle 5\n"), 445));
}

TEST(NftRuleset, SetsOfTheTableAreNoRules)
{
    EXPECT_FALSE(FindBlockingRule(
        "table inet filter {\n\tset blocked {\n\t\ttype inet_service\n\t\telements = { 445, 139 }\n\t}\n"
        "\tchain input {\n\t\ttype filter hook input priority filter; policy accept;\n"
        "\t\ttcp dport 22 drop\n\t}\n}\n", 445));
}

} // namespace
