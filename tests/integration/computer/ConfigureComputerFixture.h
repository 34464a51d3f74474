// ConfigureComputer's tests: a private Samba, a fresh account with a Samba password, and the log
// lines that every set-up begins with.
#pragma once

#include "ComputerTest.h"
#include "common/log/LogEscape.h"
#include "library/service/CSharedFolder.h"
#include "platform/core/Services.h"
#include "support/AclReadBack.h"

#include <pwd.h>
#include <unistd.h>

class ConfigureComputerTest : public ComputerTest {
protected:
    void SetUp() override
    {
        ComputerTest::SetUp();
        account = samba.AddAccount();
        ASSERT_FALSE(account.name.empty());
        user = CString::FromUtf8(account.name);
        passwd* entry = getpwnam(account.name.c_str());
        ASSERT_NE(entry, nullptr);
        uid = entry->pw_uid;
    }

    // The empty line and the entry line of CreateSharedDirectory with its arguments as logged.
    static std::vector<std::string> Begin(const std::string& arguments)
    {
        return {"", "CSharedFolder::CreateSharedDirectory( " + arguments + ")"};
    }

    // The test runner's folder above drive C: is closed to others (mktemp -d): the account gets
    // the search right there.
    std::string SearchRightLine() const
    {
        return "SetDirPermissions(): Added the search right for " + account.name + " on " +
               std::filesystem::path(platform::DriveCRoot()).parent_path().string();
    }

    SambaFixture::Account account;
    CString user;
    uid_t uid = 0;
};
