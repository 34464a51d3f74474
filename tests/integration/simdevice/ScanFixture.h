// A private smbd with one account and its folder shared as "scans" (Everyone may change files
// through the share; the folder's owner, the account, is the only one the file system lets
// write), and a simulated device whose name table knows this computer as "MYPC".
#pragma once

#include "support/SambaFixture.h"
#include "tools/simdevice/SimulatedDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace scantest {

inline constexpr const char* kShare = "scans";
inline constexpr const char* kShareAcl = "S-1-1-0:f";

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class ScanTest : public ::testing::Test {
protected:
    ScanTest() = default;
    // With these lines at the end of the Samba's [global] section.
    explicit ScanTest(std::vector<std::string> extraGlobalLines) : samba(std::move(extraGlobalLines)) {}

    void SetUp() override
    {
        ASSERT_TRUE(samba.IsReady());
        account = samba.AddAccount();
        ASSERT_FALSE(account.name.empty());
        const passwd* entry = getpwnam(account.name.c_str());
        ASSERT_NE(entry, nullptr);
        uid = entry->pw_uid;
        folder = samba.Root() + "/Scans";
        ASSERT_TRUE(std::filesystem::create_directory(folder));
        ASSERT_EQ(chown(folder.c_str(), uid, static_cast<gid_t>(-1)), 0);
        ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
        ASSERT_TRUE(samba.StartServer());
        ASSERT_TRUE(samba.AddShareAs(account, kShare, folder, kShareAcl));
        device.SetNameTable({{"mypc", "127.0.0.1"}});
    }

    // An entry that signs in with the stored account.
    simdevice::Folder StoredAccountEntry(const std::string& name, const std::string& format = "PDF") const
    {
        simdevice::Folder entry;
        entry.name = name;
        entry.path = "\\\\MYPC\\" + std::string(kShare);
        entry.userName = account.name;
        entry.password = account.password;
        entry.authType = "DEFAULT_USER_CREDENTIALS";
        entry.fileFormat = format;
        return entry;
    }

    // An entry whose user signs in at the device for every scan.
    simdevice::Folder SignInEntry(const std::string& name, const std::string& format) const
    {
        simdevice::Folder entry;
        entry.name = name;
        entry.path = "\\\\MYPC\\" + std::string(kShare);
        entry.authType = "MFP_USER_CREDENTIALS";
        entry.fileFormat = format;
        return entry;
    }

    std::set<std::string> Listing() const
    {
        std::set<std::string> names;
        for (const auto& file : std::filesystem::directory_iterator(folder))
            names.insert(file.path().filename().string());
        return names;
    }

    // The file's bytes, after checking that the account owns it.
    std::string OwnedFile(const std::string& name) const
    {
        struct stat info {};
        EXPECT_EQ(stat((folder + "/" + name).c_str(), &info), 0) << name;
        EXPECT_EQ(info.st_uid, uid) << name;
        EXPECT_TRUE(S_ISREG(info.st_mode)) << name;
        return ReadBytes(folder + "/" + name);
    }

    SambaFixture samba;
    SambaFixture::Account account;
    uid_t uid = 0;
    std::string folder;
    simdevice::SimulatedDevice device;
};

} // namespace scantest
