// A usershare's access list and what it gives an account.
#include "selfcheck/ShareAccessList.h"

#include <gtest/gtest.h>

namespace {

using selfcheck::AccessFor;
using selfcheck::ParseShareAccessList;
using selfcheck::ShareAccess;

const std::vector<std::string> kAlice{"S-1-5-21-1-2-3-1000", "S-1-22-1-1000", "alice", "PC1\\alice", "S-1-1-0", "Everyone"};

TEST(ShareAccessList, EntriesAreReadInEitherCase)
{
    auto entries = ParseShareAccessList("S-1-1-0:D,S-1-5-21-1-2-3-1000:f,broken,:F,S-1-2:X,");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].who, "S-1-1-0");
    EXPECT_EQ(entries[0].right, 'D');
    EXPECT_EQ(entries[1].who, "S-1-5-21-1-2-3-1000");
    EXPECT_EQ(entries[1].right, 'F');
}

TEST(ShareAccessList, ADenyWinsAFullEntryAdmitsAReadEntryReadsOnly)
{
    EXPECT_EQ(AccessFor(ParseShareAccessList("S-1-5-21-1-2-3-1000:F,"), kAlice), ShareAccess::Full);
    EXPECT_EQ(AccessFor(ParseShareAccessList("S-1-22-1-1000:F,"), kAlice), ShareAccess::Full);
    EXPECT_EQ(AccessFor(ParseShareAccessList("S-1-1-0:R,"), kAlice), ShareAccess::Read);
    EXPECT_EQ(AccessFor(ParseShareAccessList("S-1-1-0:R,S-1-5-21-1-2-3-1000:F,"), kAlice), ShareAccess::Full);
    EXPECT_EQ(AccessFor(ParseShareAccessList("S-1-5-21-1-2-3-1000:F,S-1-1-0:D,"), kAlice), ShareAccess::Denied);
    EXPECT_EQ(AccessFor(ParseShareAccessList("S-1-5-21-1-2-3-1001:F,"), kAlice), ShareAccess::None);
    EXPECT_EQ(AccessFor({}, kAlice), ShareAccess::None);
}

TEST(ShareAccessList, NamesCountAsSambaPrintsThemInAnyCase)
{
    EXPECT_EQ(AccessFor(ParseShareAccessList("pc1\\ALICE:F,"), kAlice), ShareAccess::Full);
    EXPECT_EQ(AccessFor(ParseShareAccessList("Everyone:D,PC1\\alice:F,"), kAlice), ShareAccess::Denied);
    EXPECT_EQ(AccessFor(ParseShareAccessList("PC1\\bob:F,"), kAlice), ShareAccess::None);
    EXPECT_EQ(AccessFor(ParseShareAccessList("PC2\\alice:F,"), kAlice), ShareAccess::None);
}

} // namespace
