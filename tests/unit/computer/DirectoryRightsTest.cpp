#include "platform/core/Paths.h"
#include "platform/security/Accounts.h"
#include "platform/security/DirectoryRights.h"
#include "platform/security/PosixAcl.h"
#include "platform/core/RunProgram.h"
#include "support/AclReadBack.h"

#include <acl/libacl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// "nobody" is on every Debian system and owns nothing in the test folders.
class DirectoryRightsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(platform::IAccounts::Default().LookupAccountName(u"nobody", nobody), 0); }

    std::string UserEntry(const std::string& path, acl_type_t type) { return UserAclEntry(path, nobody.uid, type); }

    // Whether nobody can reach path, asked of the kernel.
    bool NobodyReaches(const std::string& path)
    {
        return platform::RunProgram({"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                     "test", "-d", path}).exitCode == 0;
    }

    platform::Account nobody;
    std::string root = platform::DriveCRoot();
};

// Sets the immutable attribute for the object's life, where the file system has it.
struct Immutable {
    explicit Immutable(std::string folder) : path(std::move(folder))
    {
        set = platform::RunProgram({"/usr/bin/chattr", "+i", path}).exitCode == 0;
    }
    ~Immutable() { platform::RunProgram({"/usr/bin/chattr", "-i", path}); }
    std::string path;
    bool set = false;
};

bool Decide(const char* aclText, uid_t uid, const std::vector<gid_t>& groups)
{
    platform::AclHandle acl(acl_from_text(aclText));
    EXPECT_TRUE(acl) << aclText;
    return platform::MayAccess(acl.get(), 1000, 100, uid, groups, ACL_EXECUTE);
}

} // namespace

TEST(AclAccessCheck, FollowsThePosixOrderOfEntries)
{
    // The owner's entry decides for the owner, even when "other" would allow.
    EXPECT_FALSE(Decide("u::rw-,g::---,o::--x", 1000, {100}));
    // A user entry comes before the groups, and the mask limits it.
    EXPECT_TRUE(Decide("u::rwx,u:2000:--x,g::---,m::--x,o::---", 2000, {100}));
    EXPECT_FALSE(Decide("u::rwx,u:2000:--x,g::--x,m::r--,o::--x", 2000, {100}));
    // A matching group that denies stops the check before "other"; any granting group is enough.
    EXPECT_FALSE(Decide("u::rwx,g::---,o::--x", 2000, {100}));
    EXPECT_TRUE(Decide("u::rwx,g::---,g:300:--x,m::--x,o::---", 2000, {100, 300}));
    EXPECT_TRUE(Decide("u::rwx,g::---,o::--x", 2000, {200}));
    // Without a mask nothing limits the user's entry; without "other" nobody else passes.
    EXPECT_TRUE(Decide("u::rwx,u:2000:--x,g::---,o::---", 2000, {100}));
    EXPECT_FALSE(Decide("u::rwx,g::r-x", 2000, {200}));
}

TEST_F(DirectoryRightsTest, FullAccessReachesTheFolderAndWhatIsMadeInItAndOthersGetNothing)
{
    // A folder readable by all, whose default ACL would pass that on.
    std::string folder = root + "/Reports";
    fs::create_directories(folder);
    chmod(folder.c_str(), 0755);
    ASSERT_EQ(platform::RunProgram({"/usr/bin/setfacl", "-d", "-m", "u::rwx,g::r-x,o::r-x", folder}).exitCode, 0);
    auto result = platform::IDirectoryRights::Default().GrantFullAccess(u"C:\\Reports. ", nobody);
    ASSERT_EQ(result.error, 0) << platform::ErrorText(result.error).ToUtf8();
    EXPECT_EQ(UserEntry(folder, ACL_TYPE_ACCESS), "rwx");
    EXPECT_EQ(UserEntry(folder, ACL_TYPE_DEFAULT), "rwx");
    EXPECT_EQ(AclEntry(folder, ACL_OTHER, ACL_TYPE_ACCESS), "---");
    EXPECT_EQ(AclEntry(folder, ACL_OTHER, ACL_TYPE_DEFAULT), "---");

    std::ofstream(folder + "/scan.pdf") << "x";
    EXPECT_EQ(UserEntry(folder + "/scan.pdf", ACL_TYPE_ACCESS), "rwx");
    EXPECT_EQ(AclEntry(folder + "/scan.pdf", ACL_OTHER), "---");
    fs::create_directory(folder + "/Sub");
    EXPECT_EQ(UserEntry(folder + "/Sub", ACL_TYPE_ACCESS), "rwx");
    EXPECT_EQ(AclEntry(folder + "/Sub", ACL_OTHER), "---");
}

TEST_F(DirectoryRightsTest, AnEntryTheAccountHasIsReplacedAndOtherEntriesStay)
{
    std::string folder = root + "/Reports";
    fs::create_directories(folder);
    ASSERT_EQ(platform::RunProgram({"setfacl", "-m", "u:nobody:r--,g:nogroup:r-x", "-d", "-m", "g:nogroup:r--", folder}).exitCode, 0);
    ASSERT_EQ(platform::IDirectoryRights::Default().GrantFullAccess(CString::FromUtf8(folder), nobody).error, 0);
    EXPECT_EQ(UserEntry(folder, ACL_TYPE_ACCESS), "rwx");
    std::string listing = platform::RunProgram({"getfacl", "-p", folder}).output;
    EXPECT_NE(listing.find("\ngroup:nogroup:r-x\n"), std::string::npos) << listing;
    EXPECT_NE(listing.find("\ndefault:group:nogroup:r--\n"), std::string::npos) << listing;
    EXPECT_NE(listing.find("\ndefault:user:nobody:rwx\n"), std::string::npos) << listing;
}

TEST_F(DirectoryRightsTest, AFolderThatCannotBeReadOrChangedFailsAtThatStep)
{
    auto result = platform::IDirectoryRights::Default().GrantFullAccess(CString::FromUtf8(root + "/Missing"), nobody);
    EXPECT_EQ(result.error, ENOENT);
    EXPECT_EQ(result.step, platform::AclStep::Read);

    // Root passes every permission bit; an immutable folder refuses even root its ACL.
    std::string folder = root + "/Locked";
    fs::create_directories(folder);
    Immutable locked(folder);
    if (!locked.set)
        GTEST_SKIP() << "no immutable attribute on this file system";
    result = platform::IDirectoryRights::Default().GrantFullAccess(CString::FromUtf8(folder), nobody);
    EXPECT_EQ(result.error, EPERM);
    EXPECT_EQ(result.step, platform::AclStep::Write);
    EXPECT_EQ(UserEntry(folder, ACL_TYPE_ACCESS), "");
}

TEST_F(DirectoryRightsTest, OnlyTheParentsThatDenyPassageGetTheSearchRight)
{
    // root (0700, made by the test runner) / Closed (0700) / Open (0755) / Reports
    std::string folder = root + "/Closed/Open/Reports";
    fs::create_directories(folder);
    chmod((root + "/Closed").c_str(), 0700);
    chmod((root + "/Closed/Open").c_str(), 0755);
    chmod(root.c_str(), 0700);
    ASSERT_FALSE(NobodyReaches(folder));

    auto changes = platform::IDirectoryRights::Default().GrantSearchOnParents(CString::FromUtf8(folder), nobody);
    std::vector<std::string> changed;
    for (const auto& change : changes) {
        EXPECT_EQ(change.error, 0) << change.path.ToUtf8();
        changed.push_back(change.path.ToUtf8());
    }
    EXPECT_NE(std::find(changed.begin(), changed.end(), root + "/Closed"), changed.end());
    EXPECT_NE(std::find(changed.begin(), changed.end(), root), changed.end());
    EXPECT_EQ(std::find(changed.begin(), changed.end(), root + "/Closed/Open"), changed.end());
    EXPECT_EQ(UserEntry(root + "/Closed", ACL_TYPE_ACCESS), "--x");
    EXPECT_TRUE(NobodyReaches(folder));
    // Reaching is all it gets: no listing of the parents.
    EXPECT_NE(platform::RunProgram({"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "ls", root + "/Closed"}).exitCode, 0);

    EXPECT_TRUE(platform::IDirectoryRights::Default().GrantSearchOnParents(CString::FromUtf8(folder), nobody).empty());

    // Taken back, a folder without an ACL of its own has none again: no entry, no mask, its mode.
    for (const auto& change : changes)
        EXPECT_EQ(platform::IDirectoryRights::Default().RevokeSearch(change, nobody), 0) << change.path.ToUtf8();
    EXPECT_EQ(platform::RunProgram({"/usr/bin/getfacl", "-cp", root + "/Closed"}).output,
              "user::rwx\ngroup::---\nother::---\n\n");
    EXPECT_FALSE(NobodyReaches(folder));
}

// A parent that the account owns but may not pass gets the search right in its owner's entry.
TEST_F(DirectoryRightsTest, AParentTheAccountOwnsGetsTheSearchRightForItsOwner)
{
    std::string folder = root + "/Own/Reports";
    fs::create_directories(folder);
    ASSERT_EQ(chown((root + "/Own").c_str(), nobody.uid, static_cast<gid_t>(-1)), 0);
    chmod((root + "/Own").c_str(), 0600);
    chmod(root.c_str(), 0711);
    ASSERT_FALSE(NobodyReaches(folder));

    // The folders above the test's drive may need the right too; the owned one is the nearest.
    auto changes = platform::IDirectoryRights::Default().GrantSearchOnParents(CString::FromUtf8(folder), nobody);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes[0].path.ToUtf8(), root + "/Own");
    EXPECT_EQ(changes[0].error, 0);
    struct stat info {};
    ASSERT_EQ(stat((root + "/Own").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(UserEntry(root + "/Own", ACL_TYPE_ACCESS), "");  // no entry of its own
    EXPECT_TRUE(NobodyReaches(folder));
}

TEST_F(DirectoryRightsTest, AParentThatCannotBeChangedIsReportedWithItsError)
{
    std::string folder = root + "/Closed/Reports";
    fs::create_directories(folder);
    chmod((root + "/Closed").c_str(), 0700);
    chmod(root.c_str(), 0755);
    Immutable locked(root + "/Closed");
    if (!locked.set)
        GTEST_SKIP() << "no immutable attribute on this file system";
    // The folders above drive C: may need the right too; those can be changed.
    std::map<std::string, int> errors;
    for (const auto& change : platform::IDirectoryRights::Default().GrantSearchOnParents(CString::FromUtf8(folder), nobody))
        errors[change.path.ToUtf8()] = change.error;
    EXPECT_EQ(errors[root + "/Closed"], EPERM);
    errors.erase(root + "/Closed");
    for (const auto& [path, error] : errors)
        EXPECT_EQ(error, 0) << path;
    EXPECT_FALSE(NobodyReaches(folder));
}

// A parent with an ACL of its own keeps its mask but for the search right it gains, so that the
// entries the mask limits get no more than that.
TEST_F(DirectoryRightsTest, AParentWithAMaskGainsOnlyTheSearchRightInIt)
{
    std::string folder = root + "/Masked/Reports";
    fs::create_directories(folder);
    chmod(root.c_str(), 0711);
    ASSERT_EQ(platform::RunProgram({"/usr/bin/setfacl", "-m", "g:nogroup:rw,m::r", root + "/Masked"}).exitCode, 0);
    chmod((root + "/Masked").c_str(), 0740); // group class r-- now: the mask
    ASSERT_FALSE(NobodyReaches(folder));
    const auto listAcl = [&] { return platform::RunProgram({"/usr/bin/getfacl", "-cp", root + "/Masked"}).output; };
    const std::string before = listAcl();

    auto changes = platform::IDirectoryRights::Default().GrantSearchOnParents(CString::FromUtf8(folder), nobody);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes[0].path.ToUtf8(), root + "/Masked");
    EXPECT_EQ(changes[0].error, 0);
    const std::string listing =
        platform::RunProgram({"/usr/bin/getfacl", "-cp", root + "/Masked"}).output;
    EXPECT_NE(listing.find("\nuser:nobody:--x\n"), std::string::npos) << listing;
    EXPECT_NE(listing.find("\nmask::r-x\n"), std::string::npos) << listing;
    EXPECT_NE(listing.find("\ngroup:nogroup:rw-\t#effective:r--\n"), std::string::npos) << listing;
    EXPECT_TRUE(NobodyReaches(folder));
    EXPECT_TRUE(changes[0].madeEntry && changes[0].maskGained);

    // Taken back, the ACL is as it was: the entry goes, the mask loses the x it gained.
    EXPECT_EQ(platform::IDirectoryRights::Default().RevokeSearch(changes[0], nobody), 0);
    EXPECT_EQ(listAcl(), before);
}
