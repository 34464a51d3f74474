// The device's folder-path check (IsValidFolderPath, posted as the library posts it) against a
// share of a real smbd: it signs in as the record's account and answers ValidPath, or the status
// a scan to that path fails with.
#include "integration/simdevice/DevicePost.h"
#include "integration/simdevice/LibraryPayloads.h"
#include "integration/simdevice/ScanFixture.h"

using namespace scantest;

namespace {

class FolderPathCheckTest : public ScanTest {
protected:
    FolderPathCheckTest() = default;
    explicit FolderPathCheckTest(std::vector<std::string> extraGlobalLines) : ScanTest(std::move(extraGlobalLines)) {}

    void SetUp() override
    {
        ScanTest::SetUp();
        ASSERT_TRUE(device.Start("127.0.0.2", 0));
    }

    // The reply's FolderPathReturnCode for the record \\host\share with that account.
    std::string Check(const std::string& host, const std::string& share, const std::string& user,
                      const std::string& password)
    {
        const PostResult reply = PostXml(device.Address(), payloads::IsFolderPathValid(host, share, user, password));
        EXPECT_EQ(reply.code, CURLE_OK);
        return Between(reply.body, "FolderPathReturnCode=\"", "\"");
    }
};

// Debian's own smb.conf: a user name without a Samba password gets a guest session.
class GuestMappingTest : public FolderPathCheckTest {
protected:
    GuestMappingTest() : FolderPathCheckTest({"map to guest = bad user"}) {}
};

} // namespace

TEST_F(FolderPathCheckTest, TheCheckSignsInAsTheRecordsAccountAndOpensTheFolder)
{
    EXPECT_EQ(Check("MYPC", kShare, account.name, account.password), "ValidPath");
    EXPECT_EQ(Check("mypc", kShare, account.name, account.password), "ValidPath");
    EXPECT_EQ(Check("OTHERPC", kShare, account.name, account.password), "NT_STATUS_BAD_NETWORK_NAME");
    EXPECT_EQ(Check("MYPC", "noshare", account.name, account.password), "NT_STATUS_BAD_NETWORK_NAME");
    EXPECT_EQ(Check("MYPC", std::string(kShare) + "\\missing", account.name, account.password),
              "NT_STATUS_OBJECT_PATH_NOT_FOUND");
    device.SetSmbPort(1);
    EXPECT_EQ(Check("MYPC", kShare, account.name, account.password), "NT_STATUS_CONNECTION_REFUSED");
    // Nothing is written into the folder by a check.
    EXPECT_TRUE(Listing().empty());
}

TEST_F(GuestMappingTest, AWrongPasswordAndAnAccountWithoutASambaPasswordAreInvalid)
{
    const SambaFixture::Account guest = samba.AddAccount(false);
    ASSERT_FALSE(guest.name.empty());
    // The share names both accounts, as the product's shares name theirs.
    ASSERT_TRUE(samba.AddShareAs(account, "named", folder, account.name + ":f," + guest.name + ":f"));
    EXPECT_EQ(Check("MYPC", "named", account.name, account.password), "ValidPath");
    EXPECT_EQ(Check("MYPC", "named", account.name, "Wrong-" + account.password), "NT_STATUS_LOGON_FAILURE");
    EXPECT_EQ(Check("MYPC", "named", guest.name, guest.password), "NT_STATUS_ACCESS_DENIED");
}
