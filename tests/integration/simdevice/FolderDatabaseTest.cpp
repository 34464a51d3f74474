// The folder database through the protocol: add, count, list and delete, as the library does it.
#include "integration/simdevice/DevicePost.h"
#include "integration/simdevice/LibraryPayloads.h"
#include "tools/simdevice/SimulatedDevice.h"

#include <gtest/gtest.h>

using simdevice::Folder;
using simdevice::SimulatedDevice;

namespace {

std::vector<std::string> Names(const SimulatedDevice& device)
{
    std::vector<std::string> names;
    for (const Folder& folder : device.Folders())
        names.push_back(folder.name);
    return names;
}

} // namespace

TEST(FolderDatabase, AddListAndDeleteRoundTrip)
{
    SimulatedDevice device;
    ASSERT_TRUE(device.Start());
    const std::string address = device.Address();
    PostXml(address, payloads::CreateFolderAlias("PC1", "Alpha", "anna", "s3cret", "HOME"));
    PostXml(address, payloads::CreateFolderAliasWithoutAccount("PC2", "Beta"));
    PostXml(address, payloads::CreateFolderAlias("PC3", "Gamma", "carl", "pw", "HOME"));
    ASSERT_EQ(Names(device), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    const Folder alpha = device.Folders()[0];
    EXPECT_EQ(alpha.path, "\\\\PC1\\Alpha");
    EXPECT_EQ(alpha.password, "s3cret");
    EXPECT_EQ(alpha.authType, "DEFAULT_USER_CREDENTIALS");
    EXPECT_EQ(device.Folders()[1].fileSize, "DS_FILESIZE_SMALL");

    EXPECT_NE(PostXml(address, payloads::kGetNumberOfFolders).body.find("DbNumRecs=\"3\""), std::string::npos);

    // Asked for two, the device lists the first two, count first, attributes in reading order.
    const std::string listed = PostXml(address, payloads::GetPrinterFolderNames("2")).body;
    EXPECT_NE(listed.find("DbNumRecs=\"2\""), std::string::npos) << listed;
    EXPECT_LT(listed.find("DbNumRecs="), listed.find("FolderName="));
    EXPECT_NE(listed.find("<DbFolderRec FolderName=\"Alpha\" FolderPath=\"\\\\PC1\\Alpha\" UserName=\"anna\" "
                          "Password=\"s3cret\" NtDomain=\"HOME\" FolderAuthType=\"DEFAULT_USER_CREDENTIALS\" "
                          "FileFormat=\"PDF\" Resolution=\"300x300\" ColorPreference=\"Color\" "
                          "FilesizeAdjustment=\"DS_FILESIZE_STANDARD\">"),
              std::string::npos) << listed;
    EXPECT_NE(listed.find("FolderName=\"Beta\" FolderPath=\"\\\\PC2\\Beta\" UserName=\"\" NtDomain=\"\""),
              std::string::npos) << listed;
    EXPECT_EQ(listed.find("Gamma"), std::string::npos);

    PostXml(address, payloads::DeleteFolderList("Alpha", "Gamma"));
    EXPECT_EQ(Names(device), (std::vector<std::string>{"Beta"}));
    PostXml(address, payloads::DeleteFolderAlias("Beta"));
    EXPECT_TRUE(device.Folders().empty());
    EXPECT_NE(PostXml(address, payloads::kGetNumberOfFolders).body.find("DbNumRecs=\"0\""), std::string::npos);
}

TEST(FolderDatabase, ListedValuesAreEscapedAndKeysAppearOnlyInRecords)
{
    SimulatedDevice device;
    ASSERT_TRUE(device.Start());
    Folder folder;
    folder.name = "R&D <\"Scans\">";
    folder.path = "\\\\PC&1\\R&D";
    folder.userName = "a<b";
    device.AddFolder(folder);

    const std::string listed = PostXml(device.Address(), payloads::GetPrinterFolderNames("5")).body;
    EXPECT_NE(listed.find("DbNumRecs=\"1\""), std::string::npos) << listed;
    EXPECT_NE(listed.find("FolderName=\"R&amp;D &lt;&quot;Scans&quot;>\" FolderPath=\"\\\\PC&amp;1\\R&amp;D\" "
                          "UserName=\"a&lt;b\" NtDomain=\"\""),
              std::string::npos) << listed;
    // The library scans for these keys as plain text; each must occur once, in the record.
    for (const std::string key : {"FolderName=", "FolderPath=", "UserName=", "DbNumRecs="}) {
        const auto first = listed.find(key);
        EXPECT_NE(first, std::string::npos) << key;
        EXPECT_EQ(listed.find(key, first + 1), std::string::npos) << key;
    }
}
