// The folder rights when libacl fails at one step: allocation, the mask, the check, the write of
// either ACL. This program defines the libacl calls that the platform library makes; the dynamic
// linker binds the library's calls to these, which fail once on cue and otherwise pass the call
// on to libacl.
#include "platform/core/Paths.h"
#include "platform/security/Accounts.h"
#include "platform/security/DirectoryRights.h"
#include "support/AclReadBack.h"

#include <acl/libacl.h>
#include <cerrno>
#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace {

// The next call to fail: its name, for acl_get_file and acl_set_file the ACL type it must be
// for (0: any), and the errno value it leaves.
struct Fault {
    std::string call;
    acl_type_t type = 0;
    int error = 0;
};
std::optional<Fault> g_fault;

// True once, for the call the armed fault names; errno is then set.
bool FailsNow(const char* call, acl_type_t type = 0)
{
    if (!g_fault || g_fault->call != call || (g_fault->type != 0 && g_fault->type != type))
        return false;
    errno = g_fault->error;
    g_fault.reset();
    return true;
}

template <typename Function>
Function* Real(const char* name)
{
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

acl_t acl_get_file(const char* path, acl_type_t type)
{
    static auto* real = Real<acl_t(const char*, acl_type_t)>("acl_get_file");
    return FailsNow("acl_get_file", type) ? nullptr : real(path, type);
}

int acl_set_file(const char* path, acl_type_t type, acl_t acl)
{
    static auto* real = Real<int(const char*, acl_type_t, acl_t)>("acl_set_file");
    return FailsNow("acl_set_file", type) ? -1 : real(path, type, acl);
}

acl_t acl_dup(acl_t acl)
{
    static auto* real = Real<acl_t(acl_t)>("acl_dup");
    return FailsNow("acl_dup") ? nullptr : real(acl);
}

int acl_create_entry(acl_t* acl, acl_entry_t* entry)
{
    static auto* real = Real<int(acl_t*, acl_entry_t*)>("acl_create_entry");
    return FailsNow("acl_create_entry") ? -1 : real(acl, entry);
}

int acl_add_perm(acl_permset_t perms, acl_perm_t perm)
{
    static auto* real = Real<int(acl_permset_t, acl_perm_t)>("acl_add_perm");
    return FailsNow("acl_add_perm") ? -1 : real(perms, perm);
}

int acl_calc_mask(acl_t* acl)
{
    static auto* real = Real<int(acl_t*)>("acl_calc_mask");
    return FailsNow("acl_calc_mask") ? -1 : real(acl);
}

int acl_valid(acl_t acl)
{
    static auto* real = Real<int(acl_t)>("acl_valid");
    return FailsNow("acl_valid") ? -1 : real(acl);
}

} // extern "C"

namespace {

namespace fs = std::filesystem;

// "nobody" is on every Debian system and owns nothing in the test folders.
class AclFaultsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(platform::IAccounts::Default().LookupAccountName(u"nobody", nobody), 0); }
    void TearDown() override { EXPECT_FALSE(g_fault) << "the armed fault was never reached: " << g_fault->call; }

    std::string NobodysEntry(const std::string& path, acl_type_t type) { return UserAclEntry(path, nobody.uid, type); }

    platform::Account nobody;
    std::string root = platform::DriveCRoot();
};

} // namespace

TEST_F(AclFaultsTest, AFailureBeforeTheWriteNamesItsStepAndChangesNothing)
{
    struct Case {
        Fault fault;
        platform::AclStep step;
        int error; // acl_valid leaves no errno: the check's failure is EINVAL
    };
    const Case cases[] = {
        {{"acl_get_file", ACL_TYPE_ACCESS, EIO}, platform::AclStep::Read, EIO},
        {{"acl_get_file", ACL_TYPE_DEFAULT, ENOTSUP}, platform::AclStep::Read, ENOTSUP},
        // a new folder has no default ACL: it starts as a copy of the access ACL
        {{"acl_dup", 0, ENOMEM}, platform::AclStep::Build, ENOMEM},
        {{"acl_create_entry", 0, ENOMEM}, platform::AclStep::Build, ENOMEM},
        {{"acl_add_perm", 0, EINVAL}, platform::AclStep::Build, EINVAL},
        {{"acl_calc_mask", 0, ENOMEM}, platform::AclStep::Build, ENOMEM},
        {{"acl_valid", 0, 0}, platform::AclStep::Build, EINVAL},
        {{"acl_set_file", ACL_TYPE_ACCESS, EPERM}, platform::AclStep::Write, EPERM},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault.call);
        const std::string folder = root + "/Scans";
        fs::remove_all(folder);
        fs::create_directories(folder);
        g_fault = c.fault;
        auto result = platform::IDirectoryRights::Default().GrantFullAccess(CString::FromUtf8(folder), nobody);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.step, c.step);
        EXPECT_EQ(NobodysEntry(folder, ACL_TYPE_ACCESS), "");
        EXPECT_EQ(NobodysEntry(folder, ACL_TYPE_DEFAULT), "");
    }
}

// The two ACLs are written one after the other: when the second write fails the first stays,
// and the result says the write failed.
TEST_F(AclFaultsTest, TheDefaultAclsWriteFailingIsAWriteFailure)
{
    const std::string folder = root + "/Scans";
    fs::create_directories(folder);
    g_fault = Fault{"acl_set_file", ACL_TYPE_DEFAULT, EIO};
    auto result = platform::IDirectoryRights::Default().GrantFullAccess(CString::FromUtf8(folder), nobody);
    EXPECT_EQ(result.error, EIO);
    EXPECT_EQ(result.step, platform::AclStep::Write);
    EXPECT_EQ(NobodysEntry(folder, ACL_TYPE_ACCESS), "rwx");
    EXPECT_EQ(NobodysEntry(folder, ACL_TYPE_DEFAULT), "");
}

// A parent that the account may not pass, and the step that fails while it gets the search right:
// the parent is reported with that error and keeps its ACL.
TEST_F(AclFaultsTest, AParentWhoseSearchRightFailsIsReportedWithTheError)
{
    struct Case {
        Fault fault;
        int error;
    };
    const Case cases[] = {
        {{"acl_get_file", ACL_TYPE_ACCESS, EIO}, EIO},
        {{"acl_create_entry", 0, ENOMEM}, ENOMEM},
        {{"acl_calc_mask", 0, ENOMEM}, ENOMEM}, // the parent had no mask yet
        {{"acl_valid", 0, 0}, EINVAL},
        {{"acl_set_file", ACL_TYPE_ACCESS, EROFS}, EROFS},
    };
    const std::string folder = root + "/Closed/Reports";
    fs::create_directories(folder);
    chmod(root.c_str(), 0711);
    chmod((root + "/Closed").c_str(), 0700);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault.call);
        g_fault = c.fault;
        auto changes = platform::IDirectoryRights::Default().GrantSearchOnParents(CString::FromUtf8(folder), nobody);
        ASSERT_FALSE(changes.empty());
        EXPECT_EQ(changes[0].path.ToUtf8(), root + "/Closed");
        EXPECT_EQ(changes[0].error, c.error);
        EXPECT_EQ(NobodysEntry(root + "/Closed", ACL_TYPE_ACCESS), "");
    }
}

TEST_F(AclFaultsTest, AParentTheAccountOwnsKeepsItsModeWhenItsOwnersRightCannotBeAdded)
{
    const std::string folder = root + "/Own/Reports";
    fs::create_directories(folder);
    ASSERT_EQ(chown((root + "/Own").c_str(), nobody.uid, static_cast<gid_t>(-1)), 0);
    chmod((root + "/Own").c_str(), 0600);
    chmod(root.c_str(), 0711);
    g_fault = Fault{"acl_add_perm", 0, EINVAL};
    auto changes = platform::IDirectoryRights::Default().GrantSearchOnParents(CString::FromUtf8(folder), nobody);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes[0].path.ToUtf8(), root + "/Own");
    EXPECT_EQ(changes[0].error, EINVAL);
    struct stat info {};
    ASSERT_EQ(stat((root + "/Own").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// Root passes every folder, and a folder that is not there has no parents to open.
TEST_F(AclFaultsTest, RootAndAMissingFolderNeedNoSearchRight)
{
    const std::string folder = root + "/Closed/Reports";
    fs::create_directories(folder);
    chmod((root + "/Closed").c_str(), 0700);
    platform::Account rootAccount;
    ASSERT_EQ(platform::IAccounts::Default().LookupAccountName(u"root", rootAccount), 0);
    EXPECT_TRUE(platform::IDirectoryRights::Default().GrantSearchOnParents(CString::FromUtf8(folder), rootAccount).empty());
    EXPECT_TRUE(platform::IDirectoryRights::Default()
                    .GrantSearchOnParents(CString::FromUtf8(root + "/Closed/Missing"), nobody)
                    .empty());
    EXPECT_EQ(NobodysEntry(root + "/Closed", ACL_TYPE_ACCESS), "");
}
