// Scans of the simulated device into a share of a real smbd: the document arrives in the
// folder, written by the account; every failure answers the SMB status and writes nothing.
#include "integration/simdevice/ScanFixture.h"
#include "tools/simdevice/scan/ScanDocument.h"

#include <sys/stat.h>

using namespace scantest;
using simdevice::ScanRequest;
using simdevice::ScanResult;

TEST_F(ScanTest, AStoredAccountEntryGetsAPdfThatTheAccountOwns)
{
    device.AddFolder(StoredAccountEntry("Scans"));
    const ScanResult result = device.Scan({"Scans", "", "", ""});
    ASSERT_TRUE(result.ok) << result.status;
    EXPECT_EQ(result.fileName, "Scan_0001.pdf");
    EXPECT_EQ(result.networkPath, "\\\\MYPC\\scans");
    EXPECT_EQ(result.status, "");
    EXPECT_EQ(Listing(), std::set<std::string>{"Scan_0001.pdf"});
    const std::string pdf = OwnedFile("Scan_0001.pdf");
    EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.4\n");
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
    EXPECT_NE(pdf.find("(Scanned to Scans at "), std::string::npos);
}

TEST_F(ScanTest, EachScanTakesTheNextFreeNumberAndNeverOverwrites)
{
    std::ofstream(folder + "/Scan_0001.pdf") << "kept";
    ASSERT_EQ(chown((folder + "/Scan_0001.pdf").c_str(), uid, static_cast<gid_t>(-1)), 0);
    device.AddFolder(StoredAccountEntry("Scans"));
    EXPECT_EQ(device.Scan({"Scans", "", "", ""}).fileName, "Scan_0002.pdf");
    EXPECT_EQ(device.Scan({"Scans", "", "", ""}).fileName, "Scan_0003.pdf");
    EXPECT_EQ(ReadBytes(folder + "/Scan_0001.pdf"), "kept");
    EXPECT_EQ(Listing(), (std::set<std::string>{"Scan_0001.pdf", "Scan_0002.pdf", "Scan_0003.pdf"}));
}

TEST_F(ScanTest, TheEntrysFileFormatChoosesTheDocument)
{
    device.AddFolder(StoredAccountEntry("Pictures", "JPEG"));
    device.AddFolder(StoredAccountEntry("Pages", "MTIFF"));
    EXPECT_EQ(device.Scan({"Pictures", "", "", ""}).fileName, "Scan_0001.jpg");
    EXPECT_EQ(device.Scan({"Pages", "", "", ""}).fileName, "Scan_0001.tif");
    const std::string jpeg = OwnedFile("Scan_0001.jpg");
    EXPECT_EQ(jpeg.substr(0, 3), "\xFF\xD8\xFF");
    EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
    EXPECT_EQ(OwnedFile("Scan_0001.tif"), simdevice::MakeTiffDocument());
}

TEST_F(ScanTest, ASignInEntryUsesTheAccountGivenToTheScan)
{
    device.AddFolder(SignInEntry("Desk", "TIFF"));
    const ScanResult result = device.Scan({"Desk", account.name, account.password, "TARROWTEST"});
    ASSERT_TRUE(result.ok) << result.status;
    EXPECT_EQ(result.fileName, "Scan_0001.tif");
    EXPECT_EQ(OwnedFile("Scan_0001.tif").substr(0, 4), std::string("II*\0", 4));
}

TEST_F(ScanTest, ASignInEntryWithoutAnAccountAsksForOne)
{
    device.AddFolder(SignInEntry("Desk", "PDF"));
    const ScanResult result = device.Scan({"Desk", "", "", ""});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, "SIGN_IN_REQUIRED");
    EXPECT_EQ(result.fileName, "");
    EXPECT_TRUE(Listing().empty());
}

TEST_F(ScanTest, AWrongStoredPasswordIsALogonFailureAndWritesNothing)
{
    simdevice::Folder entry = StoredAccountEntry("Scans");
    entry.password = "Wrong-" + account.password;
    device.AddFolder(entry);
    const ScanResult result = device.Scan({"Scans", "", "", ""});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, "NT_STATUS_LOGON_FAILURE");
    EXPECT_EQ(result.fileName, "");
    EXPECT_EQ(result.networkPath, "\\\\MYPC\\scans");
    EXPECT_TRUE(Listing().empty());
}

TEST_F(ScanTest, AWrongSignInPasswordIsALogonFailureAndWritesNothing)
{
    device.AddFolder(SignInEntry("Desk", "PDF"));
    EXPECT_EQ(device.Scan({"Desk", account.name, "", ""}).status, "NT_STATUS_LOGON_FAILURE");
    EXPECT_EQ(device.Scan({"Desk", account.name, account.password + "x", ""}).status, "NT_STATUS_LOGON_FAILURE");
    EXPECT_TRUE(Listing().empty());
    // The stored account of the entry is never a fall-back, nor a session of an earlier scan.
    EXPECT_TRUE(device.Scan({"Desk", account.name, account.password, ""}).ok);
    EXPECT_EQ(device.Scan({"Desk", account.name, "x" + account.password, ""}).status, "NT_STATUS_LOGON_FAILURE");
    EXPECT_EQ(Listing(), std::set<std::string>{"Scan_0001.pdf"});
}

TEST_F(ScanTest, AHostMissingFromTheNameTableIsABadNetworkName)
{
    simdevice::Folder entry = StoredAccountEntry("Elsewhere");
    entry.path = "\\\\OTHERPC\\scans";
    device.AddFolder(entry);
    EXPECT_EQ(device.Scan({"Elsewhere", "", "", ""}).status, "NT_STATUS_BAD_NETWORK_NAME");
    // Named in any letter case, the known host is found.
    entry.name = "Known";
    entry.path = "\\\\MyPc\\scans";
    device.AddFolder(entry);
    EXPECT_EQ(device.Scan({"Known", "", "", ""}).fileName, "Scan_0001.pdf");
    // A dotted loopback address needs no entry.
    entry.name = "Dotted";
    entry.path = "\\\\127.0.0.1\\scans\\";
    device.AddFolder(entry);
    EXPECT_EQ(device.Scan({"Dotted", "", "", ""}).fileName, "Scan_0002.pdf");
    EXPECT_EQ(Listing(), (std::set<std::string>{"Scan_0001.pdf", "Scan_0002.pdf"}));
}

TEST_F(ScanTest, AMissingShareIsABadNetworkNameAndAMissingFolderBelowItAPathNotFound)
{
    simdevice::Folder entry = StoredAccountEntry("NoShare");
    entry.path = "\\\\MYPC\\noshare";
    device.AddFolder(entry);
    entry.name = "NoFolder";
    entry.path = "\\\\MYPC\\scans\\missing";
    device.AddFolder(entry);
    EXPECT_EQ(device.Scan({"NoShare", "", "", ""}).status, "NT_STATUS_BAD_NETWORK_NAME");
    EXPECT_EQ(device.Scan({"NoFolder", "", "", ""}).status, "NT_STATUS_OBJECT_PATH_NOT_FOUND");
    EXPECT_TRUE(Listing().empty());
}

TEST_F(ScanTest, AFolderBelowTheShareReceivesTheFile)
{
    ASSERT_TRUE(std::filesystem::create_directory(folder + "/May 2024"));
    ASSERT_EQ(chown((folder + "/May 2024").c_str(), uid, static_cast<gid_t>(-1)), 0);
    simdevice::Folder entry = StoredAccountEntry("May");
    entry.path = "\\\\MYPC\\scans\\May 2024";
    device.AddFolder(entry);
    ASSERT_EQ(device.Scan({"May", "", "", ""}).fileName, "Scan_0001.pdf");
    EXPECT_EQ(OwnedFile("May 2024/Scan_0001.pdf").substr(0, 9), "%PDF-1.4\n");
}

TEST_F(ScanTest, AFolderTheAccountMayNotWriteIsAccessDenied)
{
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    device.AddFolder(StoredAccountEntry("Scans"));
    EXPECT_EQ(device.Scan({"Scans", "", "", ""}).status, "NT_STATUS_ACCESS_DENIED");
    EXPECT_TRUE(Listing().empty());
}

TEST_F(ScanTest, NoServerOnTheSmbPortIsAConnectionRefused)
{
    device.AddFolder(StoredAccountEntry("Scans"));
    device.SetSmbPort(1);
    EXPECT_EQ(device.Scan({"Scans", "", "", ""}).status, "NT_STATUS_CONNECTION_REFUSED");
    device.SetSmbPort(445);
    EXPECT_EQ(device.Scan({"Scans", "", "", ""}).fileName, "Scan_0001.pdf");
}

TEST_F(ScanTest, AnUnknownEntryIsTheDevicesOwnFailure)
{
    device.AddFolder(StoredAccountEntry("Scans"));
    const ScanResult result = device.Scan({"scans", "", "", ""});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, "FOLDER_ENTRY_NOT_FOUND");
    EXPECT_EQ(result.networkPath, "");
    EXPECT_TRUE(Listing().empty());
}
