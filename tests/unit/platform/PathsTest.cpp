#include "platform/core/Paths.h"

#include <cstdlib>
#include <gtest/gtest.h>

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
