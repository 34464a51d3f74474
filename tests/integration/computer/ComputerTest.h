// What the computer-side tests share: a private Samba configuration, drive C: and the desktop of
// the test process, and the log written meanwhile.
#pragma once

#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/core/RunProgram.h"
#include "platform/shares/Shares.h"
#include "support/LogCapture.h"
#include "support/SambaFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
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

// Stands in for chosen programs with a scripted result, so that a tool can refuse, fail to start
// or hang on cue; every other program runs.
class ScriptedPrograms : public platform::IProgramRunner {
public:
    ScriptedPrograms() : m_use(*this) {}

    platform::ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input,
                                platform::RunOptions options) override
    {
        auto found = results.find(arguments.at(0));
        if (found != results.end())
            return found->second;
        return platform::IProgramRunner::Default().Run(arguments, input, options);
    }

    // Results by program path.
    std::map<std::string, platform::ProgramResult> results;

private:
    platform::ScopedService<platform::IProgramRunner> m_use;
};

// What a tool gives back that refused with the message, that did not start, or that timed out.
inline platform::ProgramResult Refused(const std::string& message) { return {true, false, 255, message}; }
inline platform::ProgramResult NotStarted() { return {}; }
inline platform::ProgramResult TimedOut() { return {true, true, -1, ""}; }

// A share service that answers chosen questions itself and hands the rest to Samba; it also
// notes the share's access list as it stood when the account's entry was about to be set.
class SharesWithAnswers : public platform::IShares {
public:
    explicit SharesWithAnswers(const SambaFixture& samba) : m_samba(samba) {}

    int AddShare(const CString& name, const CString& path, const CString& accountSid) override
    {
        return addAnswer ? *addAnswer : m_real.AddShare(name, path, accountSid);
    }
    int GetShareInfo(const CString& name) override
    {
        return infoAnswer ? *infoAnswer : m_real.GetShareInfo(name);
    }
    int GetSharePath(const CString& name, CString& path) override
    {
        return pathAnswer ? *pathAnswer : m_real.GetSharePath(name, path);
    }
    int SetShareAccess(const CString& name, const CString& accountSid) override
    {
        aclBeforeAccessSet = m_samba.ShareAcl(name.ToUtf8());
        return accessAnswer ? *accessAnswer : m_real.SetShareAccess(name, accountSid);
    }
    int GetUsershare(const CString& name, platform::UsershareFacts& facts) override
    {
        return m_real.GetUsershare(name, facts);
    }
    int DeleteShare(const CString& name) override
    {
        return deleteAnswer ? *deleteAnswer : m_real.DeleteShare(name);
    }
    CString LastRefusal() override { return m_real.LastRefusal(); }

    std::optional<int> addAnswer;
    std::optional<int> infoAnswer;
    std::optional<int> pathAnswer;
    std::optional<int> accessAnswer;
    std::optional<int> deleteAnswer;
    std::string aclBeforeAccessSet;

private:
    const SambaFixture& m_samba;
    platform::IShares& m_real = platform::IShares::Default();
    platform::ScopedService<platform::IShares> m_use{*this};
};
