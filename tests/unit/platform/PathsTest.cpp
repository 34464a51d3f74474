#include "platform/core/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class DriveTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* old = std::getenv(platform::kDriveCVariable);
        m_old = old ? old : "";
        setenv(platform::kDriveCVariable, "/srv/drive-c", 1);
    }
    void TearDown() override { setenv(platform::kDriveCVariable, m_old.c_str(), 1); }
    std::string m_old;
};

} // namespace

TEST_F(DriveTable, DriveCMapsThroughTheTableAndBackslashesBecomeSlashes)
{
    EXPECT_EQ(*platform::ToPosixPath(u"C:\\Tarrow.log"), "/srv/drive-c/Tarrow.log");
    EXPECT_EQ(*platform::ToPosixPath(u"c:\\Scans\\\\Reports"), "/srv/drive-c/Scans//Reports");
    EXPECT_EQ(*platform::ToPosixPath(u"C:"), "/srv/drive-c/");
}

TEST_F(DriveTable, PosixAndRelativePathsPassThrough)
{
    EXPECT_EQ(*platform::ToPosixPath(u"/home/u/Scans"), "/home/u/Scans");
    EXPECT_EQ(*platform::ToPosixPath(u"js\\DeviceFolderList.js"), "js/DeviceFolderList.js");
    EXPECT_EQ(*platform::ToPosixPath(u"\\Reports"), "/Reports");
}

TEST_F(DriveTable, AnUnmappedDriveDoesNotExist)
{
    EXPECT_FALSE(platform::ToPosixPath(u"D:\\Scans").has_value());
    EXPECT_NE(platform::ToPosixPathOrMissing(u"D:\\Scans").rfind("/nonexistent", 0), std::string::npos);
}

namespace {

// Drive C: without TARROW_DRIVE_C: the environment of the default folder is the test's to set.
class DefaultDrive : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Scratch space inside the test's own drive C: when it has one.
        const char* drive = std::getenv(platform::kDriveCVariable);
        std::string pattern = std::string(drive && *drive ? drive : "/tmp") + "/paths.XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_scratch = pattern;
        for (const char* name : kVariables) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
    }
    void TearDown() override
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name, value->c_str(), 1);
            else
                unsetenv(name);
        }
        std::filesystem::remove_all(m_scratch);
    }

    // A folder in the test's scratch space with the given mode (made anew).
    std::string Folder(const std::string& name, mode_t mode)
    {
        std::string path = m_scratch + "/" + name;
        std::filesystem::create_directories(path);
        chmod(path.c_str(), mode);
        return path;
    }

    static constexpr const char* kVariables[] = {platform::kDriveCVariable, "XDG_STATE_HOME", "HOME", "XDG_RUNTIME_DIR"};
    std::string m_scratch;
    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace

TEST_F(DefaultDrive, StateFolderThenHomeThenThePrivateRuntimeFolder)
{
    const std::string run = Folder("run", 0700);
    setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
    setenv("HOME", Folder("home", 0755).c_str(), 1);
    setenv("XDG_STATE_HOME", Folder("state", 0755).c_str(), 1);
    EXPECT_EQ(platform::DriveCRoot(), m_scratch + "/state/tarrow/C");
    EXPECT_EQ(ModeOf(m_scratch + "/state/tarrow"), 0700u);
    EXPECT_EQ(ModeOf(m_scratch + "/state/tarrow/C"), 0700u);

    unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(platform::DriveCRoot(), m_scratch + "/home/.local/state/tarrow/C");
    unsetenv("HOME");
    EXPECT_EQ(platform::DriveCRoot(), run + "/tarrow/C");
    EXPECT_EQ(*platform::ToPosixPath(u"C:\\Tarrow.log"), run + "/tarrow/C/Tarrow.log");
}

TEST_F(DefaultDrive, WithoutAFolderOfTheUsersOwnThereIsNoDriveC)
{
    // No HOME and no runtime folder: no fallback to a folder shared by all users.
    EXPECT_EQ(platform::DriveCRoot(), "");
    EXPECT_FALSE(platform::ToPosixPath(u"C:\\Tarrow.log").has_value());

    const std::string run = Folder("run", 0755); // readable by all: not a runtime folder
    setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
    EXPECT_EQ(platform::DriveCRoot(), "");
    chmod(run.c_str(), 0700);
    ASSERT_EQ(chown(run.c_str(), 65534, 65534), 0); // another user's
    EXPECT_EQ(platform::DriveCRoot(), "");
    EXPECT_FALSE(std::filesystem::exists(run + "/tarrow"));
}

TEST_F(DefaultDrive, AFolderThatAnotherUserPlantedOrCanChangeIsNotUsed)
{
    setenv("XDG_STATE_HOME", Folder("state", 0755).c_str(), 1);
    const std::string elsewhere = Folder("elsewhere", 0700);
    ASSERT_EQ(symlink(elsewhere.c_str(), (m_scratch + "/state/tarrow").c_str()), 0);
    EXPECT_EQ(platform::DriveCRoot(), "");
    EXPECT_FALSE(platform::ToPosixPath(u"C:\\Tarrow.log").has_value());

    ASSERT_EQ(unlink((m_scratch + "/state/tarrow").c_str()), 0);
    const std::string c = Folder("state/tarrow/C", 0700);
    ASSERT_EQ(chown(c.c_str(), 65534, 65534), 0);
    EXPECT_EQ(platform::DriveCRoot(), "");
    ASSERT_EQ(chown(c.c_str(), geteuid(), getegid()), 0);
    chmod(c.c_str(), 0777);
    EXPECT_EQ(platform::DriveCRoot(), "");
    chmod(c.c_str(), 0700);
    EXPECT_EQ(platform::DriveCRoot(), c);
}
