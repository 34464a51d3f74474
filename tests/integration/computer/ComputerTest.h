// What the computer-side tests share: a private Samba configuration, drive C: and the desktop of
// the test process, and the log written meanwhile.
#pragma once

#include "platform/core/Paths.h"
#include "platform/shares/Shares.h"
#include "support/LogCapture.h"
#include "support/SambaFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>

class ComputerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(samba.IsReady()); }

    // A path under the test's drive C:.
    static std::string OnDriveC(const std::string& relative) { return platform::DriveCRoot() + "/" + relative; }
    static std::string Desktop() { return std::string(std::getenv("HOME")) + "/Desktop"; }

    static std::string ReadText(const std::string& path)
    {
        std::ifstream in(path);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    SambaFixture samba;
    LogCapture log;
};

// A share service that answers chosen questions itself and hands the rest to Samba; it also
// notes the share's access list as it stood when the account's entry was about to be set.
class SharesWithAnswers : public platform::IShares {
public:
    explicit SharesWithAnswers(const SambaFixture& samba) : m_samba(samba) {}

    int AddShare(const CString& name, const CString& path) override
    {
        return addAnswer ? *addAnswer : m_real.AddShare(name, path);
    }
    int GetShareInfo(const CString& name) override
    {
        return infoAnswer ? *infoAnswer : m_real.GetShareInfo(name);
    }
    int SetShareAccess(const CString& name, const CString& accountSid) override
    {
        aclBeforeAccessSet = m_samba.ShareAcl(name.ToUtf8());
        return m_real.SetShareAccess(name, accountSid);
    }

    std::optional<int> addAnswer;
    std::optional<int> infoAnswer;
    std::string aclBeforeAccessSet;

private:
    const SambaFixture& m_samba;
    platform::IShares& m_real = platform::IShares::Default();
};
