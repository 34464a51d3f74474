// The Welcome page's device check: TarrowNetwork by IP address, host name and MAC address, what
// it hands back, the feature check and its messages, and the page that follows.
#include "WizardFlowFixture.h"

#include "integration/discovery/PrivateNetwork.h"
#include "platform/core/RunProgram.h"
#include "wizard/NetworkLaunch.h"

#include <chrono>
#include <csignal>
#include <thread>

using namespace wizardflow;
using discoverytest::kSupportedModel;
using platform::PageProperty;
using simdevice::Profile;

namespace {

// What the discovery program answers when it ended with exitCode.
platform::ProgramResult Ended(int exitCode)
{
    platform::ProgramResult result;
    result.started = true;
    result.exitCode = exitCode;
    return result;
}

const std::string kNotSupported = "The device at this IP Address does not support the Scan to Folder feature.";

class WelcomeTest : public WizardFlowTest {
protected:
    // Types the address into its box, chooses its radio and presses Next.
    void Check(const char16_t* radio, const char16_t* box, const CString& address)
    {
        host.Click(radio);
        host.Type(box, address);
        host.Click(u"ButtonNext");
    }
    // Ends the run once the check is over on the Welcome page: Next is enabled again.
    void EscapeWhenNextIsEnabledAgain()
    {
        host.WaitUntil([](platform::MemoryPageWindow& window) {
            return window.Record().document[u"ButtonNext"].properties[PageProperty::Disabled].IsEmpty();
        });
        host.PressEscape();
    }
    // Ends the run once the page of this name is shown.
    void EscapeOn(const char16_t* page)
    {
        host.WaitForPage(page);
        host.PressEscape();
    }
};

} // namespace

TEST_F(WelcomeTest, AnIpAddressWithBlanksAroundIsCheckedAndLeadsToSelectOp)
{
    AddDevice(5);
    StartAgent();
    Check(u"radio-IPAddress", u"textbox-IPAddress", u"  127.0.0.5 ");
    EscapeOn(u"SelectOp");
    RunPage(state, PageId::Welcome);

    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"Welcome", "SelectOp"}));
    EXPECT_EQ(state.ipText, u"127.0.0.5");
    EXPECT_EQ(state.deviceIp, u"127.0.0.5");
    EXPECT_EQ(state.lastIp, u"127.0.0.5");
    EXPECT_EQ(state.modelName, CString::FromUtf8(kSupportedModel));
    EXPECT_EQ(state.accessState, u"FALSE");
    EXPECT_EQ(state.feature, MANAGED_SCAN_TO_NETWORK);
    EXPECT_EQ(state.networkExitCode, 0);
    EXPECT_EQ(Attribute(Shown(0), u"Overlay", u"className"), "OverlayShow");
    EXPECT_EQ(Prop(Shown(0), u"ButtonNext", PageProperty::Disabled), "disabled");
    EXPECT_TRUE(log->HasLine("QuilletNetwork Command Line Arguments: -x 0 -y 0 -ipaddress 127.0.0.5"));
    EXPECT_TRUE(log->HasLine("WriteFolderNamesFile(): Calling GetFolderNamesOnDevice( ,127.0.0.5)"));
    EXPECT_EQ(FileBytes(DeviceFolderListFile()), Utf16TextFile(u"var wNumFolders=0;\n"));
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(WelcomeTest, TheSameAddressRunsTheProgramOnceAndAChangedOneAgain)
{
    AddDevice(5);
    AddDevice(6);
    StartAgent();
    Check(u"radio-IPAddress", u"textbox-IPAddress", u"127.0.0.5");
    host.WaitForPage(u"SelectOp");
    host.Click(u"ButtonBack");
    host.WaitForPage(u"Welcome");
    host.Type(u"textbox-IPAddress", u" 127.0.0.5  ");
    host.Click(u"ButtonNext");
    host.WaitForPage(u"SelectOp");
    host.Click(u"ButtonBack");
    host.WaitForPage(u"Welcome");
    host.Type(u"textbox-IPAddress", u"127.0.0.6");
    host.Click(u"ButtonNext");
    EscapeOn(u"SelectOp");
    RunPage(state, PageId::Welcome);

    EXPECT_EQ(host.PagesShown(),
              (std::vector<std::string>{"Welcome", "SelectOp", "Welcome", "SelectOp", "Welcome", "SelectOp"}));
    EXPECT_EQ(NetworkRuns(), 2);
    EXPECT_TRUE(log->HasLine("QuilletNetwork Command Line Arguments: -x 0 -y 0 -ipaddress 127.0.0.6"));
    EXPECT_EQ(state.deviceIp, u"127.0.0.6");
    // The feature check runs at every Next.
    EXPECT_EQ(network.devices[0]->Requests().size(), network.devices[1]->Requests().size() * 2);
}

TEST_F(WelcomeTest, ATabIsNoBlankAndAnAddressNotFoundKeepsThePageOpen)
{
    AddDevice(5);
    StartAgent();
    Check(u"radio-IPAddress", u"textbox-IPAddress", u"127.0.0.5\t");
    host.WaitForPage(u"Welcome");
    EscapeWhenNextIsEnabledAgain();
    RunPage(state, PageId::Welcome);

    EXPECT_EQ(host.PagesShown(), std::vector<std::string>{"Welcome"});
    EXPECT_EQ(host.TimeOuts(), 0);
    EXPECT_EQ(state.accessState, u"TRUE");
    EXPECT_EQ(state.networkExitCode, 1);
    EXPECT_EQ(state.ipText, u"127.0.0.5\t");
    EXPECT_EQ(Attribute(Shown(0), u"Overlay", u"className"), "OverlayHide");
    EXPECT_TRUE(log->HasLine("QuilletNetwork Command Line Arguments: -x 0 -y 0 -ipaddress \"127.0.0.5\t\""));
    EXPECT_FALSE(std::filesystem::exists(DeviceFolderListFile()));
}

TEST_F(WelcomeTest, AHostNameAndAMacAddressHandBackTheDevicesIpAddress)
{
    std::string error;
    ASSERT_TRUE(discoverytest::UsePrivateHostsFile("127.0.0.7 scanner-7.office.example\n", error)) << error;
    AddDevice(7);
    StartAgent();
    Check(u"radio-HostName", u"textbox-HostName", u" scanner-7.office.example");
    EscapeOn(u"SelectOp");
    RunPage(state, PageId::Welcome);
    EXPECT_EQ(state.ipText, u"127.0.0.7");
    EXPECT_EQ(state.lastHost, u"scanner-7.office.example");
    EXPECT_EQ(state.lastIp, u"127.0.0.7");
    EXPECT_EQ(state.modelName, CString::FromUtf8(kSupportedModel));
    EXPECT_TRUE(log->HasLine("QuilletNetwork Command Line Arguments: -x 0 -y 0 -hostname scanner-7.office.example"));

    state.ipText.Empty();
    Check(u"radio-MAC", u"textbox-MAC", u"02:00:7F:00:00:07 ");
    EscapeOn(u"SelectOp");
    RunPage(state, PageId::Welcome);
    EXPECT_EQ(state.ipText, u"127.0.0.7");
    EXPECT_EQ(state.macText, u"02:00:7F:00:00:07");
    EXPECT_EQ(state.lastMac, u"02:00:7F:00:00:07");
    EXPECT_TRUE(state.lastHost.IsEmpty());
    EXPECT_EQ(NetworkRuns(), 2);

    // The same MAC address again: no run, the device's address from the last one.
    state.ipText = u"typed over";
    Check(u"radio-MAC", u"textbox-MAC", u"02:00:7F:00:00:07");
    EscapeOn(u"SelectOp");
    RunPage(state, PageId::Welcome);
    EXPECT_EQ(state.ipText, u"127.0.0.7");
    EXPECT_EQ(NetworkRuns(), 2);
}

TEST_F(WelcomeTest, EachRefusalOfTheFeatureCheckIsToldAndThePageStays)
{
    const struct {
        Profile profile;
        std::string model;
        std::string caption;
        std::string text;
    } cases[] = {
        {Profile::ManagedGranted, "Norvik Kelvane KX1000 MFP", "Error", kNotSupported},
        {Profile::UnmanagedNoFeature, "Norvik Kelvane KL3100 MFP", "Error",
         "The device needs a firmware upgrade to support Scan to Desktop."},
        {Profile::ManagedRefused, kSupportedModel, "Error", "Scan Setup Wizard has been disabled on the device."},
        {Profile::PasswordProtected, kSupportedModel, "Error",
         "Scan Setup Wizard will not work on this device while EWS is password protected.\n\nRefer to Known Issues "
         "number 6 in the Scan Setup Readme\nfor more information.\n\n"},
    };
    int n = 10;
    for (const auto& each : cases)
        AddDevice(n++, each.profile, each.model);
    StartAgent();
    n = 10;
    for (const auto& each : cases) {
        SCOPED_TRACE(each.text);
        ScriptedMessageBoxes shown;
        Check(u"radio-IPAddress", u"textbox-IPAddress", CString::FromUtf8("127.0.0." + std::to_string(n++)));
        host.WaitForPage(u"Welcome");
        EscapeWhenNextIsEnabledAgain();
        RunPage(state, PageId::Welcome);
        ASSERT_EQ(shown.Shown().size(), 1u);
        EXPECT_EQ(shown.Shown()[0].caption, each.caption);
        EXPECT_EQ(shown.Shown()[0].text, each.text);
        EXPECT_EQ(state.proceed, 0);
        EXPECT_EQ(host.TimeOuts(), 0);
    }
    EXPECT_EQ(host.PagesShown(), std::vector<std::string>(4, "Welcome"));
}

TEST_F(WelcomeTest, AnUnreadableDataFileLeadsToTheErrorPage)
{
    // A program that ends well without writing the data file.
    class SilentProgram : public platform::IProgramRunner {
    public:
        platform::ProgramResult Run(const std::vector<std::string>& arguments, const std::string&,
                                    platform::RunOptions) override
        {
            lines.assign(arguments.begin() + 1, arguments.end());
            return Ended(0);
        }
        std::vector<std::string> lines;
    } program;
    platform::ScopedService<platform::IProgramRunner> use(program);
    // A data file of an earlier run is no answer to this one.
    std::ofstream(DataFile()) << "left over";
    state.posX = 120;
    state.posY = 80;
    Check(u"radio-IPAddress", u"textbox-IPAddress", u"192.168.1.20");
    EscapeOn(u"Error");
    RunPage(state, PageId::Welcome);

    EXPECT_EQ(program.lines, (std::vector<std::string>{"-x", "120", "-y", "80", "-ipaddress", "192.168.1.20"}));
    EXPECT_EQ(state.accessState, u"DataFileError");
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"Welcome", "Error"}));
    EXPECT_EQ(state.failureDetail.ToUtf8(), "What TarrowNetwork found could not be read from " + DataFile().string() + ".");
    EXPECT_FALSE(std::filesystem::exists(DataFile()));
}

TEST_F(WelcomeTest, TheCheckWorksOnItsOwnCopyAndThePageTakesTheResultsAfterItsMessage)
{
    // Looks at the page's state while the check runs: the worker must not be writing it.
    class WatchingProgram : public platform::IProgramRunner {
    public:
        explicit WatchingProgram(const WizardState& state) : m_state(state) {}
        platform::ProgramResult Run(const std::vector<std::string>& arguments, const std::string&,
                                    platform::RunOptions) override
        {
            pageText = m_state.ipText.ToUtf8();
            address = arguments.back();
            return Ended(1);
        }
        std::string pageText, address;

    private:
        const WizardState& m_state;
    } program(state);
    platform::ScopedService<platform::IProgramRunner> use(program);
    Check(u"radio-IPAddress", u"textbox-IPAddress", u"  127.0.0.5 ");
    EscapeWhenNextIsEnabledAgain();
    RunPage(state, PageId::Welcome);

    EXPECT_EQ(program.pageText, "  127.0.0.5 ");
    EXPECT_EQ(program.address, "127.0.0.5");
    EXPECT_EQ(state.ipText, u"127.0.0.5");
    EXPECT_EQ(state.accessState, u"TRUE");
    EXPECT_EQ(state.networkExitCode, 1);
}

TEST_F(WelcomeTest, CancelAndEscapeEndARunningCheckAtOnce)
{
    // A TarrowNetwork that never answers; it tells its PID first.
    const std::filesystem::path pidFile = module / "network.pid";
    std::filesystem::remove(module / "TarrowNetwork");
    std::ofstream(module / "TarrowNetwork") << "#!/bin/sh\necho $$ > " << pidFile << "\nexec sleep 30\n";
    std::filesystem::permissions(module / "TarrowNetwork", std::filesystem::perms::owner_all);
    // Runs inside the page's loop: the check's worker starts the program meanwhile.
    auto started = [&](platform::MemoryPageWindow&) {
        for (int n = 0; n < 500 && !std::filesystem::exists(pidFile); ++n)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    };

    for (bool cancelButton : {true, false}) {
        SCOPED_TRACE(cancelButton ? "Cancel" : "Esc");
        std::filesystem::remove(pidFile);
        Check(u"radio-IPAddress", u"textbox-IPAddress", u"127.0.0.5");
        host.Then(started);
        auto pressed = std::chrono::steady_clock::now();
        if (cancelButton) {
            host.Click(u"ButtonCancel");
            host.WaitForPage(u"Cancel");
        }
        host.PressEscape();
        RunPage(state, PageId::Welcome);
        EXPECT_LT(std::chrono::steady_clock::now() - pressed, std::chrono::seconds(1));
        std::ifstream in(pidFile);
        pid_t pid = 0;
        in >> pid;
        ASSERT_GT(pid, 0);
        EXPECT_NE(kill(pid, 0), 0); // ended and reaped
        EXPECT_TRUE(boxes.Shown().empty());
        EXPECT_EQ(host.TimeOuts(), 0);
    }
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"Welcome", "Cancel", "Welcome"}));
}

TEST_F(WelcomeTest, AProgramThatCannotStartCountsAsADeviceNotReached)
{
    std::filesystem::remove(module / "TarrowNetwork");
    Check(u"radio-IPAddress", u"textbox-IPAddress", u"127.0.0.5");
    host.WaitForPage(u"Welcome");
    EscapeWhenNextIsEnabledAgain();
    RunPage(state, PageId::Welcome);
    EXPECT_EQ(state.accessState, u"TRUE");
    EXPECT_EQ(state.networkExitCode, -1);
    EXPECT_TRUE(log->HasLine("LaunchNetworkProgram(): ERROR: Could not start " + module.string() +
                             "\\TarrowNetwork.exe with -x 0 -y 0 -ipaddress 127.0.0.5"));
    EXPECT_EQ(host.PagesShown(), std::vector<std::string>{"Welcome"});
}

TEST_F(WelcomeTest, AQuoteOrABlankInsideAnAddressIsRefusedBeforeAnythingRuns)
{
    const struct {
        const char16_t* radio;
        const char16_t* box;
        const char16_t* text;
        std::string message;
    } cases[] = {
        {u"radio-IPAddress", u"textbox-IPAddress", u" 127.0.0.2\" --scope 127.0.0.3", "Invalid IP Address. Please enter valid IP Address."},
        {u"radio-HostName", u"textbox-HostName", u"a\"b", "Invalid Host Name. Please enter valid Host Name."},
        {u"radio-MAC", u"textbox-MAC", u"02:00:7F 00:00:05 ", "Invalid MAC Address. Please enter valid MAC Address."},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.message);
        ScriptedMessageBoxes shown;
        Check(each.radio, each.box, each.text);
        host.WaitForPage(u"Welcome");
        host.PressEscape();
        RunPage(state, PageId::Welcome);
        ASSERT_EQ(shown.Shown().size(), 1u);
        EXPECT_EQ(shown.Shown()[0].caption, "Error");
        EXPECT_EQ(shown.Shown()[0].text, each.message);
        EXPECT_EQ(Attribute(*host.Windows().back(), u"Overlay", u"className"), "<unset>");
    }
    EXPECT_EQ(NetworkRuns(), 0);
    EXPECT_EQ(host.TimeOuts(), 0);
}

TEST_F(WelcomeTest, EmptyBoxesOrAnEmptyChosenBoxDoNothing)
{
    host.Click(u"ButtonNext");
    // The MAC radio with only the IP box filled: nothing runs, the page stays usable.
    Check(u"radio-MAC", u"textbox-IPAddress", u"127.0.0.5");
    host.WaitForPage(u"Welcome");
    EscapeWhenNextIsEnabledAgain();
    RunPage(state, PageId::Welcome);
    EXPECT_EQ(NetworkRuns(), 0);
    EXPECT_EQ(host.PagesShown(), std::vector<std::string>{"Welcome"});
    EXPECT_EQ(state.proceed, 0);
    EXPECT_EQ(host.TimeOuts(), 0);
}

// The search: the program's choice comes back through the data file.
TEST_F(WelcomeTest, ASearchWithoutAChoiceBringsTheWelcomePageBackEmpty)
{
    AddDevice(5);
    StartAgent();
    state.ipText = u"10.0.0.1";
    state.hostText = u"old";
    host.Click(u"Link-NetworkDiscovery");
    host.WaitForPage(u"Welcome");
    host.PressEscape();
    RunPage(state, PageId::Welcome);

    // Without a display the program searches without its pages: the list is written, nothing chosen.
    EXPECT_EQ(host.PagesShown(), (std::vector<std::string>{"Welcome", "Welcome"}));
    // " -x 0 -y 0\"\"": the empty address ends the last number.
    EXPECT_TRUE(log->HasLine("QuilletNetwork Command Line Arguments: -x 0 -y 0"));
    EXPECT_TRUE(state.ipText.IsEmpty());
    EXPECT_TRUE(state.hostText.IsEmpty());
    EXPECT_TRUE(state.macText.IsEmpty());
    EXPECT_EQ(Prop(Shown(1), u"radio-IPAddress", PageProperty::Checked), "checked");
}

TEST_F(WelcomeTest, ASearchWithAChoiceFillsTheBoxesOfTheNewWelcomePage)
{
    // What the discovery pages store for a chosen device, as the program writes it.
    class ChoosingProgram : public platform::IProgramRunner {
    public:
        explicit ChoosingProgram(std::filesystem::path file) : m_file(std::move(file)) {}
        platform::ProgramResult Run(const std::vector<std::string>&, const std::string&, platform::RunOptions) override
        {
            std::ofstream(m_file, std::ios::binary) << DataFileBytes({{u"SelectionStatus", u"1"},
                                                                      {u"IPAddress", u"127.0.0.5"},
                                                                      {u"HostName", u"kelvane-5"},
                                                                      {u"MACAddress", u"02:00:7F:00:00:05"}});
            return Ended(1); // the exit code of a search is not looked at
        }

    private:
        std::filesystem::path m_file;
    } program(DataFile());
    platform::ScopedService<platform::IProgramRunner> use(program);
    state.addressKind = u"MAC";
    state.modelName = u"earlier";
    host.Click(u"Link-NetworkDiscovery");
    host.WaitForPage(u"Welcome");
    host.PressEscape();
    RunPage(state, PageId::Welcome);

    EXPECT_EQ(state.ipText, u"127.0.0.5");
    EXPECT_EQ(state.deviceIp, u"127.0.0.5");
    EXPECT_EQ(state.hostText, u"kelvane-5");
    EXPECT_EQ(state.macText, u"02:00:7F:00:00:05");
    EXPECT_EQ(state.modelName, u""); // the key is missing
    EXPECT_EQ(state.addressKind, u"MAC");
    const auto& next = Shown(1);
    EXPECT_EQ(Prop(next, u"textbox-IPAddress", PageProperty::Value), "127.0.0.5");
    EXPECT_EQ(Prop(next, u"textbox-HostName", PageProperty::Value), "kelvane-5");
    EXPECT_EQ(Prop(next, u"radio-IPAddress", PageProperty::Checked), "checked");
    EXPECT_EQ(Prop(next, u"radio-MAC", PageProperty::Checked), "checked");
}
