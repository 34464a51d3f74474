// The helper under test run as pkexec runs it: as root, from a caller process whose real uid is
// the caller's account, with PKEXEC_UID naming that account, against a private Samba. systemctl,
// nft and ufw are shell stand-ins in a folder of the fixture's, which record each call in
// "calls" and keep the state of units in files (enabled-UNIT, active-UNIT); a file
// refuse-VERB-WORD makes that call fail.
#pragma once

#include "platform/core/RunProgram.h"
#include "support/SambaFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>

inline std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class HelperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(samba.IsReady());
        fakes = samba.Root() + "/fakes";
        ASSERT_EQ(mkdir(fakes.c_str(), 0755), 0);
        Fake("systemctl", "case \"$1\" in\n"
                          "  is-enabled) test -e \"$d/enabled-$3\" ;;\n"
                          "  is-active) test -e \"$d/active-$3\" ;;\n"
                          "  enable) touch \"$d/enabled-$2\" ;;\n"
                          "  disable) rm -f \"$d/enabled-$2\" ;;\n"
                          "  start) touch \"$d/active-$2\" ;;\n"
                          "  stop) rm -f \"$d/active-$2\" ;;\n"
                          "esac\n");
        setenv("TARROW_FAKE_PROGRAMS", fakes.c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("TARROW_FAKE_PROGRAMS");
        unsetenv("PKEXEC_UID");
    }

    // A stand-in for /usr/{s,}bin/NAME: records the call, fails when told to, then runs body.
    void Fake(const std::string& name, const std::string& body)
    {
        std::string path = fakes + "/" + name;
        std::ofstream(path) << "#!/bin/sh\nd=$(dirname \"$0\")\necho \"" << name << " $*\" >> \"$d/calls\"\n"
                            << "if [ -e \"$d/refuse-$1-$2\" ]; then echo \"" << name << ": refused $1 $2\"; exit 1; fi\n"
                            << body;
        ASSERT_EQ(chmod(path.c_str(), 0755), 0);
    }
    void Refuse(const std::string& verb, const std::string& word) { std::ofstream(fakes + "/refuse-" + verb + "-" + word); }
    std::string Calls() const { return ReadText(fakes + "/calls"); }

    static uid_t UidOf(const std::string& name)
    {
        const passwd* entry = getpwnam(name.c_str());
        return entry ? entry->pw_uid : 0;
    }

    // The helper started by a process of the account, with PKEXEC_UID naming pkexecUid.
    platform::ProgramResult Helper(uid_t callerUid, uid_t pkexecUid, std::vector<std::string> words,
                                   const std::string& input = "")
    {
        setenv("PKEXEC_UID", std::to_string(pkexecUid).c_str(), 1);
        words.insert(words.begin(), {TARROW_TEST_CALLER, std::to_string(callerUid), TARROW_FIX_HELPER});
        return platform::RunProgram(words, input);
    }
    platform::ProgramResult Helper(const SambaFixture::Account& caller, std::vector<std::string> words,
                                   const std::string& input = "")
    {
        return Helper(UidOf(caller.name), UidOf(caller.name), std::move(words), input);
    }

    SambaFixture samba;
    std::string fakes;
};
