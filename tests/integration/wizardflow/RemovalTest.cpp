// Removal of folders registered on the device: the device folder list file that the pages read,
// the checked folders handed back, ConfirmDelete and DeleteFinish.
#include "WizardFlowFixture.h"

#include "wizard/DeviceFolderList.h"

using namespace wizardflow;
using platform::PageProperty;

namespace {

class RemovalTest : public WizardFlowTest {
protected:
    void SetUp() override
    {
        WizardFlowTest::SetUp();
        device = &AddDevice(5);
        StartAgent();
        state.deviceIp = u"127.0.0.5";
        state.ipText = u"127.0.0.5";
        state.modelName = u"Norvik Kelvane KV4250 MFP";
    }

    void AddFolder(const std::string& name, const std::string& path, const std::string& user)
    {
        simdevice::Folder folder;
        folder.name = name;
        folder.path = path;
        folder.userName = user;
        device->AddFolder(folder);
    }

    std::vector<std::string> FolderNames() const
    {
        std::vector<std::string> names;
        for (const auto& folder : device->Folders())
            names.push_back(folder.name);
        return names;
    }

    simdevice::SimulatedDevice* device = nullptr;
};

} // namespace

TEST_F(RemovalTest, TheListFileHoldsEveryFolderAsAScriptStringAndTheCheckedOnesAfter)
{
    AddFolder("Reports", "\\\\SCANPC\\Reports", "alice");
    AddFolder("Say \"hi\"</script>", "\\\\SCANPC\\Quote", "bob");
    ASSERT_EQ(WriteFolderNamesFile(u"127.0.0.5"), 1);
    const std::u16string listed =
        u"var wNumFolders=2;\n"
        u"var aszFolderName= new Array(2);\nvar aszNetPath= new Array(2);\nvar aszUserName= new Array(2);\n"
        u"aszFolderName[0]= \"Reports\";\naszFolderName[1]= \"Say \\\"hi\\\"\\u003C/script>\";\n"
        u"aszNetPath[0]= \"\\\\\\\\SCANPC\\\\Reports\";\naszNetPath[1]= \"\\\\\\\\SCANPC\\\\Quote\";\n"
        u"aszUserName[0]= \"alice\";\naszUserName[1]= \"bob\";\n";
    EXPECT_EQ(FileBytes(DeviceFolderListFile()), Utf16TextFile(listed));
    EXPECT_TRUE(log->HasLine("WriteNamesToFile(): Adding netpath \\\\\\\\SCANPC\\\\Reports to Javascript file."));
    EXPECT_TRUE(log->HasLine("WriteFolderNamesFile(): Writing " + module.string() + "/js/DeviceFolderList.js"));

    // Checked on SelectOp: one listed folder and one that the device does not hold.
    host.Set(u"radio-AddFolder", PageProperty::Checked, u"");
    host.Set(u"radio-RemoveFolder", PageProperty::Checked, u"checked");
    host.Set(u"FoldersChecked", PageProperty::Value, u"Missing,Reports,");
    host.Click(u"ButtonNext");
    host.WaitForPage(u"ConfirmDelete");
    host.PressEscape();
    RunPage(state, PageId::SelectOp);
    EXPECT_EQ(FileBytes(DeviceFolderListFile()),
              Utf16TextFile(listed + u"var wNumCheckedFolders=2;\n"
                                     u"var aszCheckedFolderName= new Array(2);\nvar aszCheckedNetPath= new Array(2);\n"
                                     u"var aszCheckedUserName= new Array(2);\n"
                                     u"aszCheckedFolderName[0]= \"Missing\";\naszCheckedNetPath[0]= \"Not found\";\n"
                                     u"aszCheckedUserName[0]= \"Not found\";\n"
                                     u"aszCheckedFolderName[1]= \"Reports\";\n"
                                     u"aszCheckedNetPath[1]= \"\\\\\\\\SCANPC\\\\Reports\";\n"
                                     u"aszCheckedUserName[1]= \"alice\";\n"));
}

TEST_F(RemovalTest, WithoutFoldersTheFileHoldsTheCountAlone)
{
    ASSERT_EQ(WriteFolderNamesFile(u"127.0.0.5"), 1);
    EXPECT_EQ(FileBytes(DeviceFolderListFile()), Utf16TextFile(u"var wNumFolders=0;\n"));
    // A file that cannot be written is told.
    std::filesystem::remove_all(module / "js");
    LogCapture failed;
    EXPECT_EQ(WriteFolderNamesFile(u"127.0.0.5"), 0);
    EXPECT_TRUE(failed.HasLine("WriteFolderNamesFile() ERROR: Couldn't open " + module.string() +
                               "/js/DeviceFolderList.js for writing."));
    EXPECT_EQ(AppendCheckedFolders(u"A,"), 0);
    EXPECT_TRUE(failed.HasLine("AppendJavaScript() ERROR: Couldn't open " + module.string() +
                               "/js/DeviceFolderList.js for appending."));
}

TEST_F(RemovalTest, CheckedFolderTextsByRule)
{
    const struct {
        const char16_t* text;
        std::vector<std::string> folders;
    } cases[] = {
        {u"A,B,C,", {"A", "B", "C"}}, {u"A,B,C", {"A", "B"}}, {u"A,,B,", {"A", "B"}},
        {u",A,B,", {}},              {u"construct37", {}},   {u"", {}},
        {u"A b,\u00e4,", {"A b", "\u00e4"}},
        {u"a%2Cb,50%25,%2c,5%,", {"a,b", "50%", ",", "5%"}},
    };
    for (const auto& each : cases) {
        bool tooMany = true;
        std::vector<std::string> folders;
        for (const CString& folder : ParseCheckedFolders(each.text, u"P: ", tooMany))
            folders.push_back(folder.ToUtf8());
        EXPECT_EQ(folders, each.folders) << CString(each.text).ToUtf8();
        EXPECT_FALSE(tooMany);
    }
    LogCapture steps;
    bool tooMany = false;
    ParseCheckedFolders(u"A,,B", u"P: ", tooMany);
    EXPECT_EQ(steps.Lines(), (std::vector<std::string>{"P: Begin", "P: Looking for |,| starting at character 0",
                                                       "P: Adding A to list to delete.",
                                                       "P: Looking for |,| starting at character 2",
                                                       "P: Looking for |,| starting at character 3"}));

    // At most 102 commas are read.
    CString many;
    for (int i = 0; i < 103; ++i)
        many += u"F" + IntToCString(i) + u",";
    CStringList folders = ParseCheckedFolders(many, u"P: ", tooMany);
    EXPECT_TRUE(tooMany);
    EXPECT_EQ(folders.GetCount(), 102);
    LogCapture appended;
    EXPECT_EQ(AppendCheckedFolders(many), 1);
    EXPECT_TRUE(appended.HasLine("CSelectOpDlg::AppendJavaScript(): ERROR: Found too many checked folders."));
}

TEST_F(RemovalTest, TheCheckedFoldersGoFromTheDeviceAndDeleteFinishFollows)
{
    AddFolder("Reports", "\\\\SCANPC\\Reports", "alice");
    AddFolder("Photos", "\\\\SCANPC\\Photos", "alice");
    AddFolder("Keep", "\\\\SCANPC\\Keep", "bob");
    host.Set(u"FoldersChecked", PageProperty::Value, u"Reports,Photos,");
    host.Click(u"ButtonNext");
    host.WaitForPage(u"DeleteFinish");
    host.Click(u"ButtonNext");
    RunPage(state, PageId::ConfirmDelete);

    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Keep"});
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"ConfirmDelete", "DeleteFinish"}));
    EXPECT_EQ(Attribute(Shown(0), u"DeleteProgress", u"className"), "show");
    EXPECT_EQ(Prop(Shown(0), u"ButtonNext", PageProperty::Disabled), "disabled");
    EXPECT_EQ(Prop(Shown(0), u"ModelIPAddress", PageProperty::InnerText), "Norvik Kelvane KV4250 MFP (127.0.0.5)");
    EXPECT_TRUE(log->HasLine("CConfirmDeleteDlg::DeleteFolders(): Calling DeleteFolderList(127.0.0.5,)"));
    EXPECT_TRUE(log->HasLine("Entering DeleteFinish dialog."));
    // Without the check box nothing on this computer is touched, and DeleteFinish says nothing of it.
    EXPECT_FALSE(log->Contains("RemoveComputerSide"));
    EXPECT_EQ(Attribute(Shown(1), u"ComputerSide", u"className"), "<unset>");
}

TEST_F(RemovalTest, WithTheCheckBoxTheSharesOnThisComputerGoTooAndDeleteFinishListsThem)
{
    AddFolder("Reports", "\\\\SCANPC\\Reports", "alice");
    AddFolder("Keep", "\\\\SCANPC\\Keep", "bob");
    ASSERT_EQ(WriteFolderNamesFile(u"127.0.0.5"), 1);
    host.Set(u"FoldersChecked", PageProperty::Value, u"Reports,");
    host.Set(u"checkbox-StopSharing", PageProperty::Checked, u"checked");
    host.Click(u"ButtonNext");
    host.WaitForPage(u"DeleteFinish");
    host.Click(u"ButtonNext");
    RunPage(state, PageId::ConfirmDelete);

    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Keep"});
    EXPECT_TRUE(log->HasLine("CConfirmDeleteDlg::DeleteFolders(): Calling RemoveComputerSide(\\\\SCANPC\\Reports)"));
    // A share of another computer is none of this computer's: it is named as not removed here.
    EXPECT_EQ(Attribute(Shown(1), u"ComputerSide", u"className"), "show");
    EXPECT_EQ(Attribute(Shown(1), u"NotRemoved", u"className"), "show");
    EXPECT_EQ(Prop(Shown(1), u"NotRemovedList", PageProperty::InnerText), "\\\\SCANPC\\Reports");
    EXPECT_EQ(Attribute(Shown(1), u"RemovedShares", u"className"), "<unset>");
}

TEST_F(RemovalTest, ADeviceThatDeletesFewerThanCheckedLeadsToError)
{
    AddFolder("a,b", "\\\\SCANPC\\ab", "alice");
    AddFolder("a", "\\\\SCANPC\\a", "alice");
    AddFolder("b", "\\\\SCANPC\\b", "alice");
    host.Set(u"FoldersChecked", PageProperty::Value, u"a%2Cb,Gone,"); // Gone: removed at the panel meanwhile
    host.Click(u"ButtonNext");
    host.WaitForPage(u"Error");
    host.PressEscape();
    RunPage(state, PageId::ConfirmDelete);
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"ConfirmDelete", "Error"}));
    EXPECT_TRUE(log->HasLine("ERROR- CSharedFolder()::DeleteFolderList()- the device deleted 1 of 2 folders"));
    EXPECT_EQ(state.failed, 1);
}

TEST_F(RemovalTest, NothingCheckedCallsNothingAndAFailedNetworkRunKeepsThePage)
{
    AddFolder("Reports", "\\\\SCANPC\\Reports", "alice");
    host.Click(u"ButtonNext");
    host.WaitForPage(u"DeleteFinish");
    host.PressEscape();
    RunPage(state, PageId::ConfirmDelete);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Reports"});
    EXPECT_TRUE(device->Requests().empty());
    EXPECT_FALSE(log->Contains("Calling DeleteFolderList"));

    state.networkExitCode = 1;
    host.Set(u"FoldersChecked", PageProperty::Value, u"Reports,");
    host.Click(u"ButtonNext");
    // The page takes the deletion's message and stays until nothing more happens.
    host.SetIdleTimeout(std::chrono::milliseconds(1500));
    RunPage(state, PageId::ConfirmDelete);
    EXPECT_EQ(host.TimeOuts(), 1);
    EXPECT_TRUE(FolderNames().empty());
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"ConfirmDelete", "DeleteFinish", "ConfirmDelete"}));
    EXPECT_EQ(Prop(Shown(2), u"ButtonNext", PageProperty::Disabled), "disabled");
}

TEST_F(RemovalTest, DeleteFinishStartsAgainAtWelcome)
{
    host.Click(u"ButtonDoAgain");
    host.WaitForPage(u"Welcome");
    host.PressEscape();
    RunPage(state, PageId::DeleteFinish);
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"DeleteFinish", "Welcome"}));
}
