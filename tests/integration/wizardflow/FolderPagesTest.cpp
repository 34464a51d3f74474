// SelectOp, FolderName and ScanOptions: the choice of what to do, the folder's proposal and
// checks, the scan options.
#include "WizardFlowFixture.h"

#include "platform/ui/FolderPicker.h"
#include "wizard/CScanOptionsDlg.h"
#include "frontend/FolderChecks.h"

using namespace wizardflow;
using platform::PageProperty;

namespace {

namespace fs = std::filesystem;

const std::string kPathInvalid = "The specified path is invalid.Please check the name and re-enter.";
const std::string kNameInvalid = "The specified folder name is invalid. Please check the name and re-enter.";
const std::string kNameTaken = "The specified folder name already exists. Please check and re-enter.";

class FolderPagesTest : public WizardFlowTest {
protected:
    void SetUp() override
    {
        WizardFlowTest::SetUp();
        AddDevice(5);
        StartAgent();
        state.deviceIp = u"127.0.0.5";
        state.ipText = u"127.0.0.5";
        WriteDataFile({{u"PrinterModelName", u"Norvik Kelvane KV4250 MFP"}, {u"PrinterAccessError", u"FALSE"}});
        ASSERT_TRUE(platform::ISystemInfo::Default().GetComputerName(computer));
        home = std::getenv("HOME");
    }

    // Runs FolderName with the location and name typed, Create pressed, and Escape after.
    void Create(const CString& location, const CString& name)
    {
        host.Type(u"textbox-Location", location);
        host.Type(u"textbox-FolderName", name);
        host.Click(u"ButtonNext");
        host.PressEscape();
        RunPage(state, PageId::FolderName);
    }

    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : boxes.Shown())
            texts.push_back(box.text);
        return texts;
    }

    CString computer;
    std::string home;
};

// A folder picker that answers from the test.
class ScriptedFolderPicker : public platform::IFolderPicker {
public:
    bool BrowseForFolder(CString& path) override
    {
        ++shown;
        if (!answer)
            return false;
        path = *answer;
        return true;
    }
    std::optional<CString> answer;
    int shown = 0;
};

} // namespace

TEST_F(FolderPagesTest, SelectOpGoesOnToAddingOrToRemoval)
{
    state.modelName = u"Norvik Kelvane KV4250 MFP";
    host.Click(u"ButtonNext");
    host.WaitForPage(u"FolderName");
    host.PressEscape();
    RunPage(state, PageId::SelectOp);
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"SelectOp", "FolderName"}));
    EXPECT_EQ(Prop(Shown(0), u"ModelIPAddress", PageProperty::InnerText), "Norvik Kelvane KV4250 MFP (127.0.0.5)");
    EXPECT_EQ(Prop(Shown(0), u"FoldersChecked", PageProperty::Value), "construct37");

    // Removal, and neither radio checked, both lead to ConfirmDelete.
    for (const char16_t* remove : {u"checked", u""}) {
        host.Set(u"radio-AddFolder", PageProperty::Checked, u"");
        host.Set(u"radio-RemoveFolder", PageProperty::Checked, remove);
        host.Click(u"ButtonNext");
        host.WaitForPage(u"ConfirmDelete");
        host.PressEscape();
        RunPage(state, PageId::SelectOp);
    }
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"SelectOp", "FolderName", "SelectOp", "ConfirmDelete",
                                                           "SelectOp", "ConfirmDelete"}));
    // Only the removal appended the checked folders (none) to the list file.
    EXPECT_EQ(FileBytes(DeviceFolderListFile()), Utf16TextFile(u"var wNumCheckedFolders=0;\n"));
}

TEST_F(FolderPagesTest, SelectOpStaysAfterAFailedNetworkRun)
{
    state.networkExitCode = 1;
    host.Click(u"ButtonNext");
    host.PressEscape();
    RunPage(state, PageId::SelectOp);
    EXPECT_EQ(host.PagesShown(), std::vector<std::string>{"SelectOp"});
}

TEST_F(FolderPagesTest, FolderNameProposesAFreeNameInTheHomeFolder)
{
    fs::create_directories(home + "/Norvik_Scans/" + (computer + u"_KV4250").ToUtf8());
    host.PressEscape();
    RunPage(state, PageId::FolderName);
    const CString location = CString::FromUtf8(home) + u"\\Norvik_Scans\\";
    EXPECT_EQ(state.location, location);
    EXPECT_EQ(state.modelName, u"Norvik Kelvane KV4250 MFP");
    EXPECT_EQ(state.computerName, computer);
    EXPECT_EQ(state.suggestedFolderName, computer + u"_KV4250_1");
    EXPECT_EQ(Prop(Shown(0), u"textbox-FolderName", PageProperty::Value), (computer + u"_KV4250_1").ToUtf8());
    EXPECT_EQ(Prop(Shown(0), u"textbox-Location", PageProperty::Value), home + "/Norvik_Scans/");
    EXPECT_EQ(Prop(Shown(0), u"ModelIPAddress", PageProperty::InnerText), "Norvik Kelvane KV4250 MFP (127.0.0.5)");
    auto lines = log->Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
              (std::vector<std::string>{"Entering FolderName dialog.",
                                        "CScanOptionsDlg: PrinterName from data file= Norvik Kelvane KV4250 MFP",
                                        "CScanOptionsDlg: Home Drive= " + home}));
}

TEST_F(FolderPagesTest, AnEnvironmentThatSetsHomeDriveKeepsIt)
{
    setenv("HOMEDRIVE", "C:", 1);
    host.PressEscape();
    RunPage(state, PageId::FolderName);
    EXPECT_EQ(state.location, u"C:\\Norvik_Scans\\");
    EXPECT_TRUE(log->HasLine("CScanOptionsDlg: Home Drive= C:"));
}

TEST_F(FolderPagesTest, AFreeNameGoesOnToTheCredentialsWithTheShortcutAsChecked)
{
    host.Set(u"checkbox-Shortcut", PageProperty::Checked, u"checked");
    host.Type(u"textbox-Location", u"  C:\\Scans  ");
    host.Type(u"textbox-FolderName", u"My Scans ");
    host.Click(u"ButtonNext");
    host.WaitForPage(u"UserCredentials");
    host.PressEscape();
    RunPage(state, PageId::FolderName);
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"FolderName", "UserCredentials"}));
    EXPECT_EQ(state.location, u"C:\\Scans");
    EXPECT_EQ(state.folderName, u"My Scans "); // as entered
    EXPECT_EQ(state.createShortcut, -1);
    EXPECT_EQ(state.shortcutChecked, u"checked");
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_TRUE(log->HasLine("FolderNameDlg: Create button clicked"));
    // The check made the folder and took it away again.
    EXPECT_TRUE(fs::exists(platform::DriveCRoot()));
    EXPECT_FALSE(fs::exists(platform::DriveCRoot() + "/Scans"));
}

TEST_F(FolderPagesTest, TheLocationIsCheckedFirstThenTheName)
{
    Create(u"  Q:\\new\\deeper  ", u"a+b");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kPathInvalid});
    EXPECT_EQ(state.location, u"Q:\\new\\deeper");
    EXPECT_EQ(Shown(0).focus, u"textbox-Location");
    EXPECT_TRUE(log->HasLine("The specified path or folder name : Q:\\new\\deeperis invalid "));
    EXPECT_TRUE(log->HasLine("FolderNameDlg: Folder path Q:\\new\\deeper is invalid"));

    for (const char16_t* name : {u"a+b", u"   ", u"x]"}) {
        ScriptedMessageBoxes shown;
        LogCapture attempt;
        Create(u"C:\\new\\deeper", name);
        ASSERT_EQ(shown.Shown().size(), 1u);
        EXPECT_EQ(shown.Shown()[0].text, kNameInvalid);
        EXPECT_EQ(host.Windows().back()->focus, u"textbox-FolderName");
        EXPECT_TRUE(attempt.HasLine("FolderNameDlg: Folder name " + CString(name).ToUtf8() + " is invalid"));
    }
    // On a drive that exists the parents stay, the last folder goes.
    EXPECT_TRUE(fs::is_directory(platform::DriveCRoot() + "/new"));
    EXPECT_FALSE(fs::exists(platform::DriveCRoot() + "/new/deeper"));
}

TEST_F(FolderPagesTest, ANameInUseIsRefused)
{
    fs::create_directories(platform::DriveCRoot() + "/Scans/Taken");
    Create(u"C:\\Scans", u"Taken");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kNameTaken});
    EXPECT_EQ(Shown(0).focus, u"textbox-FolderName");
    EXPECT_EQ(host.PagesShown(), std::vector<std::string>{"FolderName"});
    EXPECT_EQ(state.createShortcut, 0);
}

TEST_F(FolderPagesTest, FolderChecksByRule)
{
    const std::pair<const char16_t*, bool> names[] = {
        {u"Scans", true}, {u"My Scans", true}, {u"trail ", true}, {u" lead", true}, {u"", false}, {u"  ", false},
        {u"a\\b", false}, {u"a/b", false}, {u"a:b", false}, {u"a;b", false}, {u"a,b", false}, {u"a\"b", false},
        {u"a?b", false}, {u"a*b", false}, {u"a+b", false}, {u"a=b", false}, {u"a<b", false}, {u"a>b", false},
        {u"a[b", false}, {u"a]b", false}, {u"a|b", false}, {u"a\tb", true}, {u"a.b", true},
    };
    for (const auto& [name, valid] : names) {
        CString checked = name;
        EXPECT_EQ(ValidateShareName(checked), valid) << CString(name).ToUtf8();
    }
    CString trailing = u" two  ";
    ValidateShareName(trailing);
    EXPECT_EQ(trailing, u" two");

    LogCapture empty;
    CString location = u"   ";
    EXPECT_FALSE(ValidateLocation(location));
    EXPECT_EQ(location, u"");
    EXPECT_EQ(empty.Lines(), (std::vector<std::string>{"ValidateShareName() failed as ShareName is empty. ",
                                                       "The specified path or folder name : is invalid "}));
    fs::create_directories(platform::DriveCRoot() + "/There");
    location = u"C:\\There";
    EXPECT_TRUE(ValidateLocation(location));
    EXPECT_TRUE(fs::is_directory(platform::DriveCRoot() + "/There"));
}

TEST_F(FolderPagesTest, BrowseTakesThePickedFolderAndACancelChangesNothing)
{
    ScriptedFolderPicker picker;
    platform::ScopedService<platform::IFolderPicker> use(picker);
    host.Click(u"ButtonBrowse");
    host.PressEscape();
    RunPage(state, PageId::FolderName);
    const CString proposed = CString::FromUtf8(home) + u"\\Norvik_Scans\\";
    EXPECT_EQ(picker.shown, 1);
    EXPECT_EQ(state.location, proposed);

    picker.answer = u"/srv/scans";
    host.Click(u"ButtonBrowse");
    host.PressEscape();
    RunPage(state, PageId::FolderName);
    EXPECT_EQ(state.location, u"/srv/scans");
    EXPECT_EQ(Prop(Shown(1), u"textbox-Location", PageProperty::Value), "/srv/scans");
    EXPECT_EQ(Prop(Shown(1), u"ButtonNext", PageProperty::Disabled), "");
}

TEST_F(FolderPagesTest, ScanOptionsMapTheirIndexesOntoTheLibrarysValues)
{
    host.Click(u"ButtonNext");
    host.WaitForPage(u"ConfirmAdd");
    host.PressEscape();
    RunPage(state, PageId::ScanOptions);
    EXPECT_EQ(Prop(Shown(0), u"ResolutionSelection", PageProperty::SelectedIndex), "4");
    EXPECT_EQ((std::vector<int>{state.fileFormat, state.resolution, state.colorSetting, state.fileSize}),
              (std::vector<int>{BREDE_FORMAT_PDF, BREDE_RESOLUTION_150, BREDE_COLOR_COLOR, BREDE_FILESIZE_STANDARD}));
    EXPECT_TRUE(log->HasLine("CScanOptionsDlg: Next button clicked"));

    const struct {
        int index;
        std::vector<int> values;
    } cases[] = {
        {0, {BREDE_FORMAT_PDF, BREDE_RESOLUTION_600, BREDE_COLOR_BLACK_WHITE, BREDE_FILESIZE_SMALL}},
        {1, {BREDE_FORMAT_TIFF, BREDE_RESOLUTION_400, BREDE_COLOR_COLOR, BREDE_FILESIZE_STANDARD}},
        {2, {BREDE_FORMAT_MTIFF, BREDE_RESOLUTION_300, BREDE_COLOR_COLOR, BREDE_FILESIZE_LARGE}},
        {3, {BREDE_FORMAT_JPEG, BREDE_RESOLUTION_200, BREDE_COLOR_COLOR, BREDE_FILESIZE_LARGE}},
        {5, {BREDE_FORMAT_JPEG, BREDE_RESOLUTION_75, BREDE_COLOR_COLOR, BREDE_FILESIZE_LARGE}},
        {6, {BREDE_FORMAT_JPEG, BREDE_RESOLUTION_75, BREDE_COLOR_COLOR, BREDE_FILESIZE_LARGE}},
        {-1, {BREDE_FORMAT_JPEG, BREDE_RESOLUTION_75, BREDE_COLOR_COLOR, BREDE_FILESIZE_LARGE}},
    };
    for (const auto& each : cases) {
        state.documentTypeIndex = state.resolutionIndex = state.scanTypeIndex = state.qualityIndex = each.index;
        MapScanOptions(state);
        EXPECT_EQ((std::vector<int>{state.fileFormat, state.resolution, state.colorSetting, state.fileSize}),
                  each.values)
            << each.index;
    }
}
