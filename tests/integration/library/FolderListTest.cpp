#include "DeviceTest.h"
#include "library/service/CSharedFolder.h"

#include <algorithm>

using simdevice::Profile;

TEST_F(DeviceTest, ReadsNamesPathsAndUserNamesInStepWithEntitiesDecoded)
{
    EXPECT_EQ(cSharedFolder.GetPrinterFolderList(BREDE_LIST_FOLDER_NAMES), nullptr);
    device.AddFolder(MakeFolder("R&D", "bob", "s3cret"));
    device.AddFolder(MakeFolder("Plain"));
    device.AddFolder(MakeFolder("<Q>", "\"carol\""));

    CString names(u"before:");
    EXPECT_EQ(cSharedFolder.GetFolderNamesOnDevice(address, names), 1);
    EXPECT_EQ(names, CString(u"before:R&D,Plain,<Q>,"));

    CStringList* folderNames = cSharedFolder.GetPrinterFolderList(BREDE_LIST_FOLDER_NAMES);
    CStringList* paths = cSharedFolder.GetPrinterFolderList(BREDE_LIST_FOLDER_PATHS);
    CStringList* users = cSharedFolder.GetPrinterFolderList(BREDE_LIST_USER_NAMES);
    ASSERT_TRUE(folderNames && paths && users);
    EXPECT_EQ(cSharedFolder.GetPrinterFolderList(static_cast<Brede_PrinterFolderListType>(7)), nullptr);
    ASSERT_EQ(paths->GetCount(), 3);
    EXPECT_EQ(paths->GetAt(0), CString(u"\\\\SCANPC\\R&D"));
    EXPECT_EQ(users->GetAt(0), CString(u"bob"));
    EXPECT_EQ(users->GetAt(1), CString(u""));
    EXPECT_EQ(users->GetAt(2), CString(u"\"carol\""));
    EXPECT_EQ(cSharedFolder.m_bListInvalid, 0);
    EXPECT_EQ(cSharedFolder.m_bListLoaded, 1);
    EXPECT_TRUE(log.HasLine("CSharedFolder()::GetPrinterFolderNames()- Looking for 3 folder names."));
    EXPECT_TRUE(log.HasLine("CSharedFolder()::GetPrinterFolderNames()- Found R&D"));
    EXPECT_TRUE(log.HasLine("CSharedFolder()::GetPrinterFolderNames()- Found Network Path= \\\\SCANPC\\R&D"));
    EXPECT_TRUE(log.HasLine("CSharedFolder()::GetPrinterFolderNames()- Found UserName= bob"));
    EXPECT_FALSE(log.Contains("s3cret"));

    // A second reading gives the same answer; the same list objects are refilled in place.
    CString again;
    cSharedFolder.GetFolderNamesOnDevice(address, again);
    EXPECT_EQ(again, CString(u"R&D,Plain,<Q>,"));
    EXPECT_EQ(cSharedFolder.GetPrinterFolderList(BREDE_LIST_FOLDER_NAMES), folderNames);

    // Once loaded, the lists stay available even when the device holds nothing any more.
    device.ClearFolders();
    CString none;
    cSharedFolder.GetFolderNamesOnDevice(address, none);
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_EQ(cSharedFolder.GetPrinterFolderList(BREDE_LIST_FOLDER_NAMES), folderNames);
    EXPECT_TRUE(folderNames->IsEmpty());
    EXPECT_EQ(cSharedFolder.m_bListInvalid, 1);
}

TEST_F(DeviceTest, ScanOptionsAreListedPerRecordAndAMissingOneStaysEmpty)
{
    simdevice::Folder full = MakeFolder("Full");
    full.fileFormat = "TIFF";
    full.resolution = "600x600";
    full.color = "Black&White"; // sent as "Black&amp;White"
    full.fileSize = "DS_FILESIZE_LARGE";
    simdevice::Folder bare = MakeFolder("Bare");
    bare.unlisted = {"FileFormat", "Resolution", "ColorPreference", "FilesizeAdjustment"};
    simdevice::Folder last = MakeFolder("Last");
    last.fileFormat = "JPEG";
    device.AddFolder(full);
    device.AddFolder(bare); // its options must not be taken from the next record
    device.AddFolder(last);

    EXPECT_EQ(cSharedFolder.ReadPrinterFolders(address), 1);
    const auto list = [this](Brede_PrinterFolderListType type) {
        std::vector<std::string> texts;
        for (const CString& text : *cSharedFolder.GetPrinterFolderList(type))
            texts.push_back(text.ToUtf8());
        return texts;
    };
    EXPECT_EQ(list(BREDE_LIST_FILE_FORMATS), (std::vector<std::string>{"TIFF", "", "JPEG"}));
    EXPECT_EQ(list(BREDE_LIST_RESOLUTIONS), (std::vector<std::string>{"600x600", "", ""}));
    EXPECT_EQ(list(BREDE_LIST_COLOR_SETTINGS), (std::vector<std::string>{"Black&White", "", ""}));
    EXPECT_EQ(list(BREDE_LIST_FILE_SIZES), (std::vector<std::string>{"DS_FILESIZE_LARGE", "", ""}));
    EXPECT_FALSE(log.Contains("ERROR-")); // options missing from a record are no error

    // A new reading replaces the lists; a failed one says so.
    device.ClearFolders();
    EXPECT_EQ(cSharedFolder.ReadPrinterFolders(address), 1);
    EXPECT_TRUE(cSharedFolder.GetPrinterFolderList(BREDE_LIST_FILE_FORMATS)->IsEmpty());
    device.SetProfileFor("132", Profile::HttpError);
    device.AddFolder(full);
    EXPECT_EQ(cSharedFolder.ReadPrinterFolders(address), 0);
}

TEST_F(DeviceTest, ReadingAppendsAndAnEmptyDeviceLeavesTheListsAsTheyWere)
{
    device.AddFolder(MakeFolder("One"));
    EXPECT_EQ(cSharedFolder.GetPrinterFolderNames(address), 1);
    EXPECT_EQ(cSharedFolder.GetPrinterFolderNames(address), 1);
    EXPECT_EQ(cSharedFolder.m_FolderNameList.GetCount(), 2);

    device.ClearFolders();
    EXPECT_EQ(cSharedFolder.GetPrinterFolderNames(address), 1);
    EXPECT_EQ(cSharedFolder.m_FolderNameList.GetCount(), 2);
    EXPECT_EQ(cSharedFolder.m_bListInvalid, 1);
}

TEST_F(DeviceTest, FailedReadingsReturnZeroAndKeepTheLists)
{
    EXPECT_EQ(cSharedFolder.GetPrinterFolderNames(kNoDevice), 0);
    EXPECT_TRUE(log.HasLine(
        "ERROR- CSharedFolder()::GetPrinterFolderNames() failed for cGetNumberOfFolders.ExecuteCommand()"));

    StartDevice(Profile::HttpError);
    EXPECT_EQ(cSharedFolder.GetPrinterFolderNames(address), 0);
    EXPECT_TRUE(log.HasLine("ERROR- CSharedFolder()::GetPrinterFolderNames()- GetStringValue() returned -1"));

    CString names(u"x");
    EXPECT_EQ(cSharedFolder.GetFolderNamesOnDevice(kNoDevice, names), 1);
    EXPECT_EQ(names, CString(u"x"));
    EXPECT_EQ(cSharedFolder.GetPrinterFolderList(BREDE_LIST_FOLDER_NAMES), nullptr);
}

TEST_F(DeviceTest, DeletesOneSeveralOrAllFolders)
{
    for (const char* name : {"A", "B", "C", "D"})
        device.AddFolder(MakeFolder(name));
    EXPECT_EQ(cSharedFolder.DeleteFolderAlias(address, u"A"), BREDE_NO_ERROR);
    EXPECT_TRUE(log.HasLine("CSharedFolder::DeleteFolderAlias( " + device.Address() + ",A)"));

    CStringList two;
    two.AddTail(u"B");
    two.AddTail(u"D");
    EXPECT_EQ(cSharedFolder.DeleteFolderList(address, two), BREDE_NO_ERROR);
    ASSERT_EQ(device.Folders().size(), 1u);
    EXPECT_EQ(device.Folders()[0].name, "C");

    EXPECT_EQ(cSharedFolder.DeleteFolderList(address, CStringList()), BREDE_NO_ERROR);
    EXPECT_NE(device.Requests().back().xmlRequest.find("DbNumRecs=\"0\""), std::string::npos);

    EXPECT_EQ(cSharedFolder.DeleteAllFolders(address), 0);
    EXPECT_TRUE(device.Folders().empty());
    EXPECT_TRUE(log.HasLine("CSharedFolder::DeleteAllFolders(): Deleting C"));

    EXPECT_EQ(cSharedFolder.DeleteFolderAlias(kNoDevice, u"C"), BREDE_FAILED);
    EXPECT_EQ(cSharedFolder.DeleteFolderList(kNoDevice, two), BREDE_FAILED);
    EXPECT_TRUE(log.HasLine("ERROR- CSharedFolder()::cDeleteFolderList() failed"));
    EXPECT_EQ(cSharedFolder.DeleteAllFolders(kNoDevice), 1);
    EXPECT_TRUE(log.HasLine("CSharedFolder::DeleteAllFolders():  GetPrinterFolderNames() Failed"));
}

TEST_F(DeviceTest, CountAndSwitchOffReportOnlyTheTransfer)
{
    EXPECT_EQ(cSharedFolder.GetNumberOfFolders(address), 0);
    // Switched on by a registration, then off again.
    ASSERT_EQ(cSharedFolder.ConfigureDevice(address, u"SCANPC", u"Reports", BREDE_FORMAT_PDF, BREDE_RESOLUTION_300,
                                            BREDE_COLOR_COLOR, BREDE_FILESIZE_STANDARD),
              BREDE_NO_ERROR);
    ASSERT_FALSE(device.EnabledFeatures().empty());
    EXPECT_EQ(cSharedFolder.DisableSendToFolder(address), 0);
    EXPECT_TRUE(device.EnabledFeatures().empty());
    EXPECT_EQ(cSharedFolder.GetNumberOfFolders(kNoDevice), 1);
    EXPECT_EQ(cSharedFolder.DisableSendToFolder(kNoDevice), 1);
    EXPECT_TRUE(log.HasLine("ERROR- CSharedFolder()::GetNumberOfFolders() failed"));
    EXPECT_TRUE(log.HasLine("ERROR- CSharedFolder()::DisableSendToFolder() failed"));
}

TEST_F(DeviceTest, DeletionsThatTheDeviceRefusesWithAServerErrorFail)
{
    StartDevice(Profile::HttpError);
    EXPECT_EQ(cSharedFolder.DeleteFolderAlias(address, u"Reports"), BREDE_FAILED);
    EXPECT_TRUE(log.HasLine("ERROR- CSharedFolder()::DeleteFolderAlias(): DeleteFolderAlias returned HTTP status 500"));
    EXPECT_TRUE(log.HasLine("ERROR- CSharedFolder()::DeleteFolderAlias() failed"));

    CStringList names;
    names.AddTail(u"Reports");
    EXPECT_EQ(cSharedFolder.DeleteFolderList(address, names), BREDE_FAILED);
    EXPECT_TRUE(log.HasLine("ERROR- CSharedFolder()::DeleteFolderList(): DeleteFolderList returned HTTP status 500"));
    EXPECT_TRUE(log.HasLine("ERROR- CSharedFolder()::cDeleteFolderList() failed"));
}

// The device counts what it deleted: a name with a comma is one name, and fewer deleted than
// asked is a failure with both counts.
TEST_F(DeviceTest, ADeletionIsTakenAtTheDevicesCount)
{
    for (const char* name : {"a,b", "a", "b"})
        device.AddFolder(MakeFolder(name));
    CStringList names;
    names.AddTail(u"a,b");
    names.AddTail(u"Missing");
    int deleted = -2;
    EXPECT_EQ(cSharedFolder.DeleteFolderList(address, names, deleted), BREDE_FAILED);
    EXPECT_EQ(deleted, 1);
    EXPECT_TRUE(log.HasLine("ERROR- CSharedFolder()::DeleteFolderList()- the device deleted 1 of 2 folders"));
    ASSERT_EQ(device.Folders().size(), 2u);
    EXPECT_EQ(device.Folders()[0].name, "a");
    EXPECT_EQ(device.Folders()[1].name, "b");
}

// Records that lack their path or user name: each is looked for from its record's name onwards,
// so only where no later record has one does an entry stay empty, with an error line.
TEST_F(DeviceTest, RecordsWithoutPathOrUserNameAtTheEndGiveEmptyEntries)
{
    device.AddFolder(MakeFolder("Full", "bob"));
    auto noUser = MakeFolder("NoUser", "ghost");
    noUser.unlisted = {"UserName"};
    device.AddFolder(noUser);
    auto bare = MakeFolder("Bare", "nobody");
    bare.unlisted = {"FolderPath", "UserName"};
    device.AddFolder(bare);

    ASSERT_EQ(cSharedFolder.GetPrinterFolderNames(address), 1);
    auto list = [](const CStringList& l) {
        std::vector<std::string> v;
        for (const CString& s : l)
            v.push_back(s.ToUtf8());
        return v;
    };
    EXPECT_EQ(list(cSharedFolder.m_FolderNameList), (std::vector<std::string>{"Full", "NoUser", "Bare"}));
    EXPECT_EQ(list(cSharedFolder.m_FolderPathList),
              (std::vector<std::string>{"\\\\SCANPC\\Full", "\\\\SCANPC\\NoUser", ""}));
    EXPECT_EQ(list(cSharedFolder.m_FolderUserNameList), (std::vector<std::string>{"bob", "", ""}));
    auto lines = log.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         "ERROR- CSharedFolder()::GetPrinterFolderNames()- GetStringValue() failed for csFolderUserName"),
              2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(),
                         "ERROR- CSharedFolder()::GetPrinterFolderNames()- GetStringValue() failed for FolderPath"),
              1);
}
