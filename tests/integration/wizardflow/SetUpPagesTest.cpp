// ConfirmAdd, Progress, Finish and Error: what the set-up will do, doing it (a real folder, rights
// and share through a private Samba, the record on a simulated device), and what it did.
#include "WizardFlowFixture.h"

#include "platform/core/Locale.h"
#include "platform/core/Sleep.h"
#include "platform/shell/Shell.h"
#include "support/SambaFixture.h"
#include "wizard/SetUpSummary.h"

#include <sys/stat.h>

using namespace wizardflow;
using platform::PageProperty;

namespace {

namespace fs = std::filesystem;

// Waits that are recorded, not waited.
class RecordedSleeper : public platform::ISleeper {
public:
    void Sleep(unsigned milliseconds) override { waits.push_back(milliseconds); }
    std::vector<unsigned> waits;
};

class FixedLocale : public platform::ILocale {
public:
    explicit FixedLocale(platform::LANGID language) : m_language(language) {}
    platform::LANGID UserInterfaceLanguage() override { return platform::kEnglishUnitedStates; }
    platform::LANGID UserLocaleLanguage() override { return m_language; }

private:
    platform::LANGID m_language;
};

class SetUpPagesTest : public WizardFlowTest {
protected:
    void SetUp() override
    {
        WizardFlowTest::SetUp();
        ASSERT_TRUE(samba.IsReady());
        device = &AddDevice(5);
        StartAgent();
        account = samba.AddAccount();
        ASSERT_FALSE(account.name.empty());
        state.deviceIp = u"127.0.0.5";
        state.computerName = u"SCANPC";
        state.location = u"C:\\Scans\\";
        state.folderName = u"Reports";
        state.createShortcut = -1;
        state.userName = CString::FromUtf8(account.name);
        state.domain = u"SCANPC";
        state.password = CString::FromUtf8(account.password);
        state.saveCredentials = -1;
        state.feature = MANAGED_SCAN_TO_NETWORK;
        state.fileFormat = BREDE_FORMAT_PDF;
        state.resolution = BREDE_RESOLUTION_150;
        state.colorSetting = BREDE_COLOR_COLOR;
        state.fileSize = BREDE_FILESIZE_STANDARD;
    }

    // The step images as the Progress page showed them, one set per refresh, read from the
    // page's document after each message.
    std::vector<std::string> StepImages(const platform::MemoryWindowRecord& window) const
    {
        return {Prop(window, u"Step1Image", PageProperty::Src), Prop(window, u"Step2Image", PageProperty::Src),
                Prop(window, u"Step3Image", PageProperty::Src)};
    }

    SambaFixture samba;
    SambaFixture::Account account;
    simdevice::SimulatedDevice* device = nullptr;
    RecordedSleeper sleeper;
    platform::ScopedService<platform::ISleeper> useSleeper{sleeper};
};

} // namespace

TEST_F(SetUpPagesTest, ConfirmAddAndFinishSayWhatIsDoneInTheLocalesLanguage)
{
    FixedLocale english(platform::kEnglishUnitedStates);
    std::optional<platform::ScopedService<platform::ILocale>> useEnglish(std::in_place, english);
    state.folderName = u"scan_\u00f6rdner";
    state.location = u"C:\\Scans";
    host.PressEscape();
    RunPage(state, PageId::ConfirmAdd);
    const auto& confirm = Shown(0);
    EXPECT_EQ(Prop(confirm, u"QuickAccessName", PageProperty::InnerText), "SCAN_\u00f6RDNER");
    EXPECT_EQ(Prop(confirm, u"Path", PageProperty::InnerText), platform::DriveCRoot() + "/Scans/scan_\u00f6rdner");
    EXPECT_EQ(Prop(confirm, u"ShortcutText", PageProperty::InnerText),
              "A shortcut link to the shared folder will be created on the computer desktop:");
    EXPECT_EQ(Prop(confirm, u"ShortcutPath", PageProperty::InnerText), "scan_\u00f6rdner");
    EXPECT_EQ(Prop(confirm, u"FeatureText", PageProperty::InnerText),
              "Scan to Network Folder will be enabled on the device.");

    state.createShortcut = 0;
    state.feature = UNMANAGED_SCAN_TO_DESKTOP;
    state.location = u"C:\\Scans\\";
    host.PressEscape();
    RunPage(state, PageId::Finish);
    const auto& finish = Shown(1);
    EXPECT_EQ(Prop(finish, u"Path", PageProperty::InnerText), platform::DriveCRoot() + "/Scans/scan_\u00f6rdner");
    EXPECT_EQ(Prop(finish, u"ShortcutText", PageProperty::InnerText), "");
    EXPECT_EQ(Prop(finish, u"ShortcutPath", PageProperty::InnerText), "");
    EXPECT_EQ(Prop(finish, u"FeatureText", PageProperty::InnerText), "Scan to Desktop has been enabled on the device.");
    EXPECT_TRUE(log->HasLine("Entering Finish dialog."));

    // A locale whose language has no strings leaves the texts empty.
    useEnglish.reset();
    FixedLocale klingon(0x0481);
    platform::ScopedService<platform::ILocale> useLocale(klingon);
    host.PressEscape();
    RunPage(state, PageId::ConfirmAdd);
    EXPECT_EQ(Prop(Shown(2), u"ShortcutText", PageProperty::InnerText), "");
    EXPECT_EQ(Prop(Shown(2), u"FeatureText", PageProperty::InnerText), "");
}

TEST_F(SetUpPagesTest, ProgressMakesTheFolderAndTheRecordAndFinishFollows)
{
    host.WaitForPage(u"Finish");
    host.PressEscape();
    RunPage(state, PageId::Progress);

    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"Progress", "Finish"}));
    EXPECT_EQ(sleeper.waits, (std::vector<unsigned>{2000, 1000}));
    EXPECT_EQ(StepImages(Shown(0)),
              (std::vector<std::string>{"../Images/Success.bmp", "../Images/Success.bmp", "../Images/PresentFocus.bmp"}));
    EXPECT_EQ(state.computerResult, BREDE_NO_ERROR);
    EXPECT_EQ(state.deviceResult, BREDE_NO_ERROR);
    EXPECT_TRUE(fs::is_directory(platform::DriveCRoot() + "/Scans/Reports"));
    EXPECT_NE(samba.ShareInfo("Reports").find("path=" + platform::DriveCRoot() + "/Scans/Reports"), std::string::npos);
    auto folders = device->Folders();
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0].name, "Reports");
    EXPECT_EQ(folders[0].path, "\\\\SCANPC\\Reports");
    EXPECT_EQ(folders[0].userName, account.name);
    EXPECT_EQ(folders[0].password, account.password);
    for (const char* line : {"Entering Progress dialog.", "Calling ConfigureComputer()",
                             "ConfigureComputer(C:\\Scans\\,Reports) returned NoError .", "Calling ConfigureDevice()",
                             "ConfigureDevice() for 127.0.0.5 returned NoError", "Entering Finish dialog."})
        EXPECT_TRUE(log->HasLine(line)) << line;
    EXPECT_FALSE(log->Contains(account.password));
}

TEST_F(SetUpPagesTest, WithoutStoredCredentialsTheDeviceAsksAtEachScan)
{
    state.saveCredentials = 0;
    state.folderName = u"  Reports "; // the record names the share made of the trimmed name
    host.WaitForPage(u"Finish");
    host.PressEscape();
    RunPage(state, PageId::Progress);
    auto folders = device->Folders();
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0].name, "Reports");
    EXPECT_EQ(folders[0].path, "\\\\SCANPC\\Reports");
    EXPECT_EQ(folders[0].userName, "");
    EXPECT_EQ(folders[0].password, "");
    EXPECT_EQ(folders[0].authType, "MFP_USER_CREDENTIALS");
}

TEST_F(SetUpPagesTest, AComputerSideFailureSkipsTheDeviceAndLeadsToError)
{
    fs::create_directories(platform::DriveCRoot() + "/Scans/Reports"); // the folder exists already
    host.WaitForPage(u"Error");
    host.PressEscape();
    RunPage(state, PageId::Progress);
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"Progress", "Error"}));
    EXPECT_EQ(StepImages(Shown(0)),
              (std::vector<std::string>{"../Images/Success.bmp", "../Images/Failure.bmp", "../Images/Blank.bmp"}));
    EXPECT_TRUE(log->HasLine("ConfigureComputer(C:\\Scans\\,Reports) returned Failed ."));
    EXPECT_FALSE(log->Contains("Calling ConfigureDevice()"));
    EXPECT_EQ(state.deviceResult, BREDE_FAILED);
    EXPECT_TRUE(device->Requests().empty());
    // The library's reason, taken on the worker right after the failed call, reaches the page.
    EXPECT_EQ(state.failureDetail, GetFailureDetail());
    EXPECT_EQ(Prop(Shown(1), u"FailureDetail", PageProperty::InnerText), state.failureDetail.ToUtf8());
}

TEST_F(SetUpPagesTest, TheErrorPageShowsTheReasonForTheFailure)
{
    state.failureDetail = u"net usershare add: share name Reports is already a valid system user name\n"
                          u"Fix: choose another folder name";
    host.PressEscape();
    RunPage(state, PageId::Error);
    EXPECT_EQ(Prop(Shown(0), u"FailureDetail", PageProperty::InnerText),
              "net usershare add: share name Reports is already a valid system user name\nFix: choose another folder name");
    EXPECT_EQ(Attribute(Shown(0), u"LogUnwritten", u"className"), "<unset>");

    // A log that could not be opened is said beside the link, at its real path.
    const std::string logFile = platform::DriveCRoot() + "/Tarrow.log";
    ProgramLog().Close();
    fs::remove(logFile);
    ASSERT_EQ(mkfifo(logFile.c_str(), 0600), 0);
    ProgramLog().Open(kLogFilePath);
    host.PressEscape();
    RunPage(state, PageId::Error);
    EXPECT_EQ(Attribute(Shown(1), u"LogUnwritten", u"className"), "show");
    EXPECT_EQ(Prop(Shown(1), u"LogPath", PageProperty::InnerText), logFile);
}

TEST_F(SetUpPagesTest, ADeviceSideFailureLeadsToError)
{
    device->SetProfileFor("128", simdevice::Profile::HttpError);
    host.WaitForPage(u"Error");
    host.PressEscape();
    RunPage(state, PageId::Progress);
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"Progress", "Error"}));
    EXPECT_TRUE(log->HasLine("ConfigureDevice() for 127.0.0.5 returned Failed"));
    EXPECT_EQ(state.failed, 1);
    EXPECT_TRUE(device->Folders().empty());
}

TEST_F(SetUpPagesTest, TheErrorPagesLinkOpensTheLogWithoutWaiting)
{
    class RecordingShell : public platform::IShell {
    public:
        int GetDesktopDirectory(CString&) override { return platform::kEFail; }
        int CreateLinkFile(const CString&, const CString&, const CString&) override { return platform::kEFail; }
        int RemoveLinkFile(const CString&, const CString&, const CString&) override { return platform::kEFail; }
        void NotifyShareCreated(const CString&) override {}
        bool OpenTextFile(const CString& path) override
        {
            opened.push_back(path.ToUtf8());
            return opened.size() == 1;
        }
        std::vector<std::string> opened;
    } shell;
    platform::ScopedService<platform::IShell> use(shell);
    host.Click(u"LinkLog");
    host.Click(u"LinkLog");
    host.Click(u"ButtonNext");
    EXPECT_EQ(RunPage(state, PageId::Error), platform::kPageOk);
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"C:\\Tarrow.log", "C:\\Tarrow.log"}));
    EXPECT_TRUE(log->HasLine("CFailureDlg::OnLinkLog(): ERROR: Could not open C:\\Tarrow.log"));
    // The second time nothing opens it: the user is told where it is.
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].caption, "Information");
    EXPECT_EQ(boxes.Shown()[0].text,
              "The log file could not be opened. You can find it here:\n" + platform::DriveCRoot() + "/Tarrow.log");
}
