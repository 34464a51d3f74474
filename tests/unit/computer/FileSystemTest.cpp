#include "platform/fs/FileSystem.h"
#include "platform/fs/WinErrors.h"
#include "platform/core/Paths.h"
#include "platform/core/RunProgram.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using platform::IFileSystem;

// Drive C: of the test process (tests/support/run-isolated gives each its own).
class FileSystemTest : public ::testing::Test {
protected:
    IFileSystem& files = IFileSystem::Default();
    std::string driveC = platform::DriveCRoot();

    void MakeFile(const std::string& posixPath) { std::ofstream(posixPath) << "x"; }
};

} // namespace

TEST_F(FileSystemTest, CreatesEveryMissingParentAndTellsAnExistingDirectoryFromAFile)
{
    EXPECT_EQ(files.CreateDirectoryTree(u"C:\\Scans\\Deep\\Reports\\"), 0);
    EXPECT_TRUE(fs::is_directory(driveC + "/Scans/Deep/Reports"));
    EXPECT_EQ(files.CreateDirectoryTree(u"C:\\Scans\\Deep\\Reports"), platform::kErrorAlreadyExists);

    MakeFile(driveC + "/Scans/file");
    EXPECT_EQ(files.CreateDirectoryTree(u"C:\\Scans\\file"), platform::kErrorFileExists);
    EXPECT_EQ(files.CreateDirectoryTree(u"C:\\Scans\\file\\Below"), platform::kErrorPathNotFound);
}

TEST_F(FileSystemTest, RefusesWhatWindowsRefuses)
{
    EXPECT_EQ(files.CreateDirectoryTree(u"D:\\Scans"), platform::kErrorPathNotFound);
    EXPECT_EQ(files.CreateDirectoryTree(u"Scans\\Reports"), platform::kErrorBadPathname);
    EXPECT_EQ(files.CreateDirectoryTree(u""), platform::kErrorBadPathname);
    // A network path names another computer's folder, never one here.
    EXPECT_EQ(files.CreateDirectoryTree(u"\\\\server\\share\\Reports"), platform::kErrorBadNetPath);
    EXPECT_EQ(files.CreateDirectoryTree(CString(u"C:\\") + CString(300, u'n')), platform::kErrorFilenameTooLong);
}

TEST_F(FileSystemTest, AFolderThatMayNotBeChangedGivesAccessDenied)
{
    // Root passes every permission bit; an immutable folder refuses even root.
    fs::create_directories(driveC + "/Locked");
    if (platform::RunProgram({"chattr", "+i", driveC + "/Locked"}).exitCode != 0)
        GTEST_SKIP() << "no immutable attribute on this file system";
    struct Unlock {
        std::string path;
        ~Unlock() { platform::RunProgram({"chattr", "-i", path}); }
    } unlock{driveC + "/Locked"};
    EXPECT_EQ(files.CreateDirectoryTree(u"C:\\Locked\\Reports"), platform::kErrorAccessDenied);
}

TEST_F(FileSystemTest, AttributesTellFileFromDirectoryAndMissingNameFromMissingPath)
{
    fs::create_directories(driveC + "/Scans");
    MakeFile(driveC + "/Scans/file");
    unsigned attributes = 0;
    ASSERT_EQ(files.GetFileAttributes(u"C:\\Scans", attributes), 0);
    EXPECT_EQ(attributes, platform::kFileAttributeDirectory);
    ASSERT_EQ(files.GetFileAttributes(u"C:\\Scans\\file", attributes), 0);
    EXPECT_EQ(attributes, platform::kFileAttributeNormal);
    EXPECT_EQ(files.GetFileAttributes(u"C:\\Scans\\none", attributes), platform::kErrorFileNotFound);
    EXPECT_EQ(files.GetFileAttributes(u"C:\\None\\none", attributes), platform::kErrorPathNotFound);
    EXPECT_EQ(files.GetFileAttributes(u"C:\\Scans\\file\\none", attributes), platform::kErrorPathNotFound);

    // A dangling link still takes the name.
    fs::create_symlink(driveC + "/gone", driveC + "/Scans/link");
    ASSERT_EQ(files.GetFileAttributes(u"C:\\Scans\\link", attributes), 0);
    EXPECT_EQ(attributes, platform::kFileAttributeNormal);
}

TEST_F(FileSystemTest, RelativeNamesFollowTheCurrentDirectory)
{
    fs::create_directories(driveC + "/Scans/Reports");
    ASSERT_TRUE(files.SetCurrentDirectory(u"C:\\Scans\\"));
    unsigned attributes = 0;
    EXPECT_EQ(files.GetFileAttributes(u"Reports", attributes), 0);
    EXPECT_FALSE(files.SetCurrentDirectory(u"C:\\Missing"));
    EXPECT_FALSE(files.SetCurrentDirectory(u""));

    std::array<char16_t, 260> buffer{};
    unsigned length = files.GetFullPathName(u"Reports\\..\\Other", buffer);
    EXPECT_EQ(CString(std::u16string_view(buffer.data(), length)), CString::FromUtf8(fs::current_path().string() + "/Other"));
}

TEST_F(FileSystemTest, FullPathNameNormalizesAndReportsTheSizeItNeeds)
{
    std::array<char16_t, 260> buffer{};
    unsigned length = files.GetFullPathName(u"C:\\Scans\\\\Reports\\", buffer);
    std::string expected = driveC + "/Scans/Reports";
    EXPECT_EQ(length, expected.size());
    EXPECT_EQ(CString(std::u16string_view(buffer.data(), length)), CString::FromUtf8(expected));

    std::array<char16_t, 4> small{u'k', u'e', u'e', u'p'};
    EXPECT_EQ(files.GetFullPathName(u"C:\\Scans\\Reports", small), expected.size() + 1);
    EXPECT_EQ(small[0], u'k');

    EXPECT_EQ(files.GetFullPathName(u"", buffer), 0u);
    EXPECT_EQ(files.GetFullPathName(u"D:\\Scans", buffer), 0u);
}

TEST_F(FileSystemTest, TrailingBlanksAndDotsOfTheLastNameAreDroppedAsWindowsDoes)
{
    ASSERT_EQ(files.CreateDirectoryTree(u"C:\\Scans\\Trail. "), 0);
    EXPECT_TRUE(fs::is_directory(driveC + "/Scans/Trail"));
    EXPECT_FALSE(fs::exists(driveC + "/Scans/Trail. "));
    unsigned attributes = 0;
    EXPECT_EQ(files.GetFileAttributes(u"C:\\Scans\\Trail ", attributes), 0);
    EXPECT_EQ(files.CreateDirectoryTree(u"C:\\Scans\\Trail."), platform::kErrorAlreadyExists);
    std::array<char16_t, 260> buffer{};
    unsigned length = files.GetFullPathName(u"C:\\Scans\\Trail ", buffer);
    EXPECT_EQ(CString(std::u16string_view(buffer.data(), length)), CString::FromUtf8(driveC + "/Scans/Trail"));
    EXPECT_TRUE(files.SetCurrentDirectory(u"C:\\Scans\\Trail."));
    EXPECT_EQ(fs::current_path(), fs::path(driveC + "/Scans/Trail"));
}

TEST_F(FileSystemTest, TheNewFolderIsPrivateAndTheParentsMadeOnTheWayAreNot)
{
    mode_t previous = umask(022);
    ASSERT_EQ(files.CreateDirectoryTree(u"C:\\Made\\OnTheWay\\Reports"), 0);
    umask(previous);
    auto mode = [](const std::string& path) { return fs::status(path).permissions() & fs::perms::all; };
    EXPECT_EQ(mode(driveC + "/Made/OnTheWay/Reports"), fs::perms::owner_all);
    EXPECT_EQ(mode(driveC + "/Made/OnTheWay"), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                                  fs::perms::others_read | fs::perms::others_exec);
}

TEST_F(FileSystemTest, RemovingAFolderTellsEmptyFromFullAndFromMissing)
{
    fs::create_directories(driveC + "/Scans/Empty");
    fs::create_directories(driveC + "/Scans/Full/Sub");
    EXPECT_EQ(files.RemoveDirectory(u"C:\\Scans\\Empty. "), 0);
    EXPECT_FALSE(fs::exists(driveC + "/Scans/Empty"));
    EXPECT_EQ(files.RemoveDirectory(u"C:\\Scans\\Full"), platform::kErrorDirNotEmpty);
    EXPECT_TRUE(fs::exists(driveC + "/Scans/Full/Sub"));
    EXPECT_EQ(files.RemoveDirectory(u"C:\\Scans\\Empty"), platform::kErrorFileNotFound);
    EXPECT_EQ(files.RemoveDirectory(u"C:\\None\\Empty"), platform::kErrorPathNotFound);
    EXPECT_EQ(files.RemoveDirectory(u"D:\\Scans"), platform::kErrorPathNotFound);
    MakeFile(driveC + "/Scans/file");
    EXPECT_EQ(files.RemoveDirectory(u"C:\\Scans\\file"), platform::kErrorPathNotFound);
}

TEST_F(FileSystemTest, OneDirectoryHoweverItIsReached)
{
    fs::create_directories(driveC + "/Scans/Reports");
    fs::create_directories(driveC + "/Scans/Other");
    fs::create_directory_symlink(driveC + "/Scans/Reports", driveC + "/Link");
    MakeFile(driveC + "/Scans/file");
    EXPECT_TRUE(platform::IsSameDirectory(u"C:\\Scans\\Reports", CString::FromUtf8(driveC + "/Scans/Reports/")));
    EXPECT_TRUE(platform::IsSameDirectory(u"C:\\Link", u"C:\\Scans\\Other\\..\\Reports."));
    EXPECT_FALSE(platform::IsSameDirectory(u"C:\\Scans\\Reports", u"C:\\Scans\\Other"));
    EXPECT_FALSE(platform::IsSameDirectory(u"C:\\Scans\\Missing", u"C:\\Scans\\Missing"));
    EXPECT_FALSE(platform::IsSameDirectory(u"C:\\Scans\\file", u"C:\\Scans\\file"));
    EXPECT_FALSE(platform::IsSameDirectory(u"D:\\Scans", u"C:\\Scans"));
}
