// List mode's whole run through the application with its pages: the search, the choice, the
// settings data file, Stop searching, cancel, and a run without a display.
#include "integration/discovery/PagesFixture.h"
#include "network/CQuilletNetworkApp.h"
#include "network/DiscoveryPages.h"

using namespace discoverytest;
using platform::MemoryPageWindow;
using simdevice::SnmpAgent;

namespace {

using Lines = std::vector<std::string>;

// No page window can be made, as without a display.
class NoDisplay : public platform::IPageHost {
public:
    std::unique_ptr<platform::IPageWindow> CreatePageWindow(platform::IPageEvents&) override { return nullptr; }
};

bool SearchRunning()
{
    int count = 0;
    return Vesper_getNumDiscoveredDevices(&count) == VESPER_DISCOVERY_IN_PROGRESS;
}

class ListModeTest : public PagesFixture {
protected:
    // Runs the application as the program does; returns its exit code.
    int Run(const char16_t* commandLine)
    {
        CQuilletNetworkApp app(state, dataFile, RunDiscoveryPages);
        EXPECT_TRUE(app.InitInstance(commandLine));
        return app.ExitInstance();
    }

    std::string Folder() const { return module.folder.string(); }
};

} // namespace

TEST_F(ListModeTest, ChoosingADeviceWritesItsAddresses)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(7), TestDevice(8, kUnsupportedModel),
                                          TestDevice(22, "Norvik Kelvane KL3100 MFP")}));
    std::string listWhenFinishOpened;
    host.WhenOpened(1, [&] {
        host.Then([&](MemoryPageWindow&) { listWhenFinishOpened = FileBytes(DeviceListPath()); });
        host.Type(u"SelectedDevice", u"127.0.0.22-kelvane-22-02:00:7F:00:00:16");
        host.Click(u"ButtonNext");
    });

    EXPECT_EQ(0, Run(u"-x 120 -y 80"));
    EXPECT_EQ((Lines{kProgressPage, kFinishPage}), host.PagesShown());
    EXPECT_EQ(0, host.TimeOuts());
    for (const auto& window : host.Windows())
        EXPECT_EQ(std::make_pair(120, 80), std::make_pair(window->outer.left, window->outer.top));
    // The finish page opened on the complete list.
    EXPECT_EQ(DeviceListBytes(u"\nvar deviceCount=2;\n"
                              u"\nvar ModelName = new Array(deviceCount);\n"
                              u"\nvar IPAddress = new Array(deviceCount);\n"
                              u"\nvar MACAddress = new Array(deviceCount);\n"
                              u"\nvar HostName = new Array(deviceCount);\n"
                              u"\nModelName[0]=\"Norvik Kelvane KV4250 MFP\";\n"
                              u"IPAddress[0]=\"127.0.0.7\";\n"
                              u"MACAddress[0]=\"02:00:7F:00:00:07\";\n"
                              u"HostName[0]=\"kelvane-7\";\n"
                              u"\nModelName[1]=\"Norvik Kelvane KL3100 MFP\";\n"
                              u"IPAddress[1]=\"127.0.0.22\";\n"
                              u"MACAddress[1]=\"02:00:7F:00:00:16\";\n"
                              u"HostName[1]=\"kelvane-22\";\n"),
              listWhenFinishOpened);
    EXPECT_EQ(SettingsFile({{u"SelectionStatus", u"1"},
                            {u"IPAddress", u"127.0.0.22"},
                            {u"HostName", u"kelvane-22"},
                            {u"MACAddress", u"02:00:7F:00:00:16"}}),
              FileBytes(DataFilePath()));
    EXPECT_EQ(2, state.deviceCount);
    EXPECT_TRUE(log->HasLine("Creating Data File : " + Folder() + "/tarrow.data ... Success."));
    EXPECT_FALSE(log->HasLine("No page window could be made: searching without the pages."));
}

// The program's shutdown of the discovery service stops the search that goes on after Stop
// searching, and the program waits for the worker before it ends.
TEST_F(ListModeTest, StopSearchingEndsTheRunWhileTheSearchGoesOn)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(7)}));
    setenv("VESPER_QUIET_MS", "20000", 1);
    setenv("VESPER_SEARCH_MS", "30000", 1);
    std::chrono::steady_clock::time_point stopped;
    host.Then([&](MemoryPageWindow&) {
        ASSERT_TRUE(WaitFor(SearchRunning)) << "the search did not start";
        stopped = std::chrono::steady_clock::now();
    });
    host.Click(u"ButtonStopSearching");

    EXPECT_EQ(0, Run(u""));
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::seconds(5));
    EXPECT_EQ(Lines{kProgressPage}, host.PagesShown());
    EXPECT_EQ(SettingsFile({{u"SelectionStatus", u"0"}}), FileBytes(DataFilePath()));
    // The stopped search wrote its empty list before the program ended.
    EXPECT_EQ(DeviceListBytes(u"\nvar deviceCount=0;\n"), FileBytes(DeviceListPath()));
    // Its count line comes after the program's last line, before the line end that closes the run.
    Lines lines = log->Lines();
    ASSERT_LE(3u, lines.size());
    EXPECT_EQ((Lines{"Finishing TarrowNetwork.exe.", "Number Of Discovered  Devices: 0", ""}),
              Lines(lines.end() - 3, lines.end()));
}

TEST_F(ListModeTest, EscOnEitherPageFailsTheRunAndKeepsAnOlderDataFile)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(7)}));
    std::ofstream(DataFilePath()) << "older";

    heldSearch.Hold();
    host.Then([&](MemoryPageWindow& progress) {
        progress.Events().OnCancel();
        heldSearch.Release();
    });
    EXPECT_EQ(1, Run(u""));
    EXPECT_EQ(Lines{kProgressPage}, host.PagesShown());
    EXPECT_EQ("older", FileBytes(DataFilePath()));

    state.exitCode = 0;  // the next run's own start
    host.WhenOpened(2, [&] { host.PressEscape(); });
    EXPECT_EQ(1, Run(u""));
    EXPECT_EQ((Lines{kProgressPage, kProgressPage, kFinishPage}), host.PagesShown());
    EXPECT_EQ(0, host.TimeOuts());
    EXPECT_EQ("older", FileBytes(DataFilePath()));
    EXPECT_FALSE(log->HasLine("Creating Data File : " + Folder() + "/tarrow.data ... Success."));
}

TEST_F(ListModeTest, WithoutADisplayTheSearchRunsWithoutPages)
{
    NoDisplay noDisplay;
    platform::ScopedService<platform::IPageHost> useNoDisplay{noDisplay};
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(7)}));

    EXPECT_EQ(0, Run(u"-x 5"));
    Lines lines = log->Lines();
    ASSERT_LE(8u, lines.size());
    EXPECT_EQ((Lines{"", "Starting TarrowNetwork.exe.", "HTML " + Folder(), "QuilletNetwork Command Line Arguments: -x 5",
                     "Network Discovery of device model", "No page window could be made: searching without the pages.",
                     "Number Of Discovered  Devices: 1"}),
              Lines(lines.begin(), lines.begin() + 7));
    EXPECT_EQ((Lines{"Finishing TarrowNetwork.exe.", ""}), Lines(lines.end() - 2, lines.end()));
    EXPECT_EQ(1, state.deviceCount);
    EXPECT_EQ(DeviceListBytes(u"\nvar deviceCount=1;\n"
                              u"\nvar ModelName = new Array(deviceCount);\n"
                              u"\nvar IPAddress = new Array(deviceCount);\n"
                              u"\nvar MACAddress = new Array(deviceCount);\n"
                              u"\nvar HostName = new Array(deviceCount);\n"
                              u"\nModelName[0]=\"Norvik Kelvane KV4250 MFP\";\n"
                              u"IPAddress[0]=\"127.0.0.7\";\n"
                              u"MACAddress[0]=\"02:00:7F:00:00:07\";\n"
                              u"HostName[0]=\"kelvane-7\";\n"),
              FileBytes(DeviceListPath()));
    EXPECT_FALSE(std::filesystem::exists(DataFilePath()));
}
