// Starting a program with its arguments, and the environment as the system reads it.
#include "platform/core/Environment.h"
#include "platform/core/ProcessLauncher.h"
#include "support/WaitFor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

CStringList Arguments(std::initializer_list<const char16_t*> texts)
{
    CStringList list;
    for (const char16_t* text : texts)
        list.AddTail(text);
    return list;
}

class ProcessLauncherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(folder);
        // Writes each argument in brackets, then exits with the code in $CODE (0 when unset).
        std::ofstream(program) << "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > \"$OUT\"\n"
                                  "for fd in 3 4 5 6 7 8 9; do [ -e /proc/self/fd/$fd ] && echo \" fd$fd\" >> \"$OUT\"; done\n"
                                  "exit ${CODE:-0}\n";
        fs::permissions(program, fs::perms::owner_all);
        setenv("OUT", output.c_str(), 1);
        unsetenv("CODE");
    }

    std::string Output() const
    {
        std::ifstream in(output);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder = fs::path(std::getenv("HOME")) / "programs";
    fs::path program = folder / "Network";
    fs::path output = folder / "out.txt";
    platform::IProcessLauncher& launcher = platform::IProcessLauncher::Default();
};

} // namespace

TEST_F(ProcessLauncherTest, EachArgumentReachesTheProgramAsItIs)
{
    int exitCode = -5;
    ASSERT_TRUE(launcher.RunAndWait(CString::FromUtf8(program.string()),
                                    Arguments({u"-x", u"two words", u"", u"d\\\"e", u"127.0.0.2\" --scope 127.0.0.3"}),
                                    exitCode, nullptr));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(Output(), "[-x][two words][][d\\\"e][127.0.0.2\" --scope 127.0.0.3]");
}

TEST_F(ProcessLauncherTest, AnExeNameFindsTheProgramWithoutItAndTheExitCodeComesBack)
{
    setenv("CODE", "7", 1);
    int exitCode = -5;
    ASSERT_TRUE(launcher.RunAndWait(CString::FromUtf8(folder.string()) + u"\\Network.exe", {}, exitCode, nullptr));
    EXPECT_EQ(exitCode, 7);
    EXPECT_EQ(Output(), "");

    exitCode = -5;
    EXPECT_FALSE(launcher.RunAndWait(CString::FromUtf8(folder.string()) + u"\\Missing.exe", {}, exitCode, nullptr));
    EXPECT_EQ(exitCode, -5);
}

TEST_F(ProcessLauncherTest, AProgramEndedByASignalGivesOneHundredTwentyEightPlusItsNumber)
{
    std::ofstream(program) << "#!/bin/sh\nkill -9 $$\n";
    int exitCode = -5;
    ASSERT_TRUE(launcher.RunAndWait(CString::FromUtf8(program.string()), {}, exitCode, nullptr));
    EXPECT_EQ(exitCode, 128 + 9);
}

TEST_F(ProcessLauncherTest, TheProgramGetsNoneOfThisProcesssOpenFiles)
{
    int inherited = open("/", O_RDONLY); // without O_CLOEXEC
    ASSERT_GE(inherited, 3);
    int exitCode = -5;
    ASSERT_TRUE(launcher.RunAndWait(CString::FromUtf8(program.string()), Arguments({u"a"}), exitCode, nullptr));
    close(inherited);
    EXPECT_EQ(Output(), "[a]");
}

TEST(Environment, NamesCompareWithoutLetterCaseAndHomeDriveIsTheHomeFolder)
{
    auto& environment = platform::IEnvironment::Default();
    setenv("TARROW_TEST_Value", "mixed", 1);
    CString value;
    ASSERT_TRUE(environment.GetVariable(u"tarrow_test_VALUE", value));
    EXPECT_EQ(value, u"mixed");
    setenv("tarrow_test_value", "exact", 1);
    ASSERT_TRUE(environment.GetVariable(u"tarrow_test_value", value));
    EXPECT_EQ(value, u"exact");
    value = u"kept";
    EXPECT_FALSE(environment.GetVariable(u"TARROW_TEST_NOT_SET", value));
    EXPECT_EQ(value, u"kept");

    unsetenv("HOMEDRIVE");
    setenv("HOME", "/home/anna", 1);
    ASSERT_TRUE(environment.GetVariable(u"HomeDrive", value));
    EXPECT_EQ(value, u"/home/anna");
    setenv("HOMEDRIVE", "D:", 1);
    ASSERT_TRUE(environment.GetVariable(u"HomeDrive", value));
    EXPECT_EQ(value, u"D:");
    unsetenv("HOMEDRIVE");
}

TEST_F(ProcessLauncherTest, AStartedProgramRunsOnWithoutBeingWaitedFor)
{
    std::ofstream(program) << "#!/bin/sh\nsleep 0.2\necho ran > \"$OUT\"\n";
    ASSERT_TRUE(launcher.Start(CString::FromUtf8(program.string()), {}));
    EXPECT_FALSE(fs::exists(output)); // Start returned before the program's end
    EXPECT_TRUE(WaitFor([&] { return Output() == "ran\n"; }));
    EXPECT_FALSE(launcher.Start(CString::FromUtf8(folder.string()) + u"\\Missing.exe", {}));
}

TEST(Environment, WithoutHomeTheAccountDatabaseNamesTheHomeFolder)
{
    const std::string saved = std::getenv("HOME");
    unsetenv("HOME");
    unsetenv("HOMEDRIVE");
    const std::string expected = getpwuid(geteuid())->pw_dir;
    EXPECT_EQ(platform::HomeFolder(), expected);
    CString value;
    ASSERT_TRUE(platform::IEnvironment::Default().GetVariable(u"HomeDrive", value));
    EXPECT_EQ(value, CString::FromUtf8(expected));
    setenv("HOME", saved.c_str(), 1);
}
