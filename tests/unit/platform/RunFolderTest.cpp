// The run's private folder: made fresh for each run, private, handed down, and removed by the
// run that made it.
#include "platform/core/RunFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class RunFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/tarrow-runtime.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        runtime = pattern;
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        unsetenv(platform::kRunFolderVariable);
    }
    void TearDown() override { fs::remove_all(runtime); }

    static unsigned Mode(const std::string& path)
    {
        struct stat info {};
        return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
    }

    std::string runtime;
};

} // namespace

TEST_F(RunFolderTest, EachRunGetsAFreshPrivateFolderThatItRemoves)
{
    // A folder of another run's, or one that others may enter, is not taken.
    const std::string open = runtime + "/open";
    fs::create_directories(open);
    chmod(open.c_str(), 0755);
    setenv(platform::kRunFolderVariable, open.c_str(), 1);

    const std::string folder = platform::RunFolder().ToUtf8();
    ASSERT_EQ(folder.rfind(runtime + "/tarrow-run-", 0), 0u) << folder;
    EXPECT_EQ(Mode(folder), 0700u);
    EXPECT_EQ(Mode(folder + "/js"), 0700u);
    EXPECT_TRUE(fs::is_empty(folder + "/js"));
    EXPECT_EQ(std::string(std::getenv(platform::kRunFolderVariable)), folder);
    EXPECT_EQ(platform::RunFolder().ToUtf8(), folder);

    platform::RemoveRunFolder();
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(std::getenv(platform::kRunFolderVariable), nullptr);
    EXPECT_TRUE(fs::exists(open));
}

TEST_F(RunFolderTest, AFolderHandedDownIsUsedAndLeftToItsMaker)
{
    const std::string handed = runtime + "/handed";
    fs::create_directories(handed);
    chmod(handed.c_str(), 0700);
    setenv(platform::kRunFolderVariable, handed.c_str(), 1);
    EXPECT_EQ(platform::RunFolder().ToUtf8(), handed);
    platform::RemoveRunFolder();
    EXPECT_TRUE(fs::exists(handed));
}
