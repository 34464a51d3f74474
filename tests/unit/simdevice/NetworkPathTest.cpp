// A folder record's network path and the smb:// addresses made from it.
#include "tools/simdevice/scan/NetworkPath.h"

#include <gtest/gtest.h>

using simdevice::NetworkPath;
using simdevice::ParseNetworkPath;

TEST(NetworkPath, SplitsHostShareAndFolders)
{
    const auto path = ParseNetworkPath("\\\\MYPC\\Scans\\2024\\May");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->host, "MYPC");
    EXPECT_EQ(path->share, "Scans");
    EXPECT_EQ(path->folders, (std::vector<std::string>{"2024", "May"}));
}

TEST(NetworkPath, AllowsATrailingBackslash)
{
    const auto path = ParseNetworkPath("\\\\127.0.0.1\\Scans\\");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->host, "127.0.0.1");
    EXPECT_EQ(path->share, "Scans");
    EXPECT_TRUE(path->folders.empty());
}

TEST(NetworkPath, RefusesPathsWithoutHostAndShare)
{
    for (const char* bad : {"", "Scans", "\\\\MYPC", "\\\\MYPC\\", "\\MYPC\\Scans", "//MYPC/Scans",
                            "\\\\MYPC\\\\Scans", "\\\\\\Scans"})
        EXPECT_FALSE(ParseNetworkPath(bad)) << bad;
}

TEST(NetworkPath, MakesPercentEncodedUrls)
{
    const NetworkPath path{"MYPC", "My Scans", {"a#b", "100%"}};
    EXPECT_EQ(simdevice::ServerUrl("127.0.0.1"), "smb://127.0.0.1/");
    EXPECT_EQ(simdevice::ShareUrl("127.0.0.1", path), "smb://127.0.0.1/My%20Scans/");
    EXPECT_EQ(simdevice::FolderUrl("127.0.0.1", path), "smb://127.0.0.1/My%20Scans/a%23b/100%25/");
    EXPECT_EQ(simdevice::FileUrl("127.0.0.1", path, "Scan_0001.pdf"),
              "smb://127.0.0.1/My%20Scans/a%23b/100%25/Scan_0001.pdf");
    EXPECT_EQ(simdevice::FolderUrl("127.0.0.2", NetworkPath{"h", "S\xC3\xA9", {}}), "smb://127.0.0.2/S%C3%A9/");
}
