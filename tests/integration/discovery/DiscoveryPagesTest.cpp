// The discovery pages on their own: what Next on the finish page stores, Stop searching, a late
// completion message, and where the finish page opens.
#include "integration/discovery/PagesFixture.h"
#include "network/CNetworkDiscoveryFinishDlg.h"
#include "network/CNetworkDiscoveryProgressDlg.h"

using namespace discoverytest;
using platform::MemoryPageWindow;
using simdevice::SnmpAgent;

namespace {

struct ChoiceCase {
    const char* name;
    const char16_t* selectedDevice;  // as the page's script leaves it
    SettingsPairs stored;
};

const ChoiceCase kChoices[] = {
    {"HostNameWithADash", u"127.0.0.7-kelvane-7-02:00:7F:00:00:07",
     {{u"SelectionStatus", u"1"}, {u"IPAddress", u"127.0.0.7"}, {u"HostName", u"kelvane-7"},
      {u"MACAddress", u"02:00:7F:00:00:07"}}},
    {"HostNameWithSeveralDashes", u"127.0.0.9-scan-room-2-02:00:7F:00:00:09",
     {{u"SelectionStatus", u"1"}, {u"IPAddress", u"127.0.0.9"}, {u"HostName", u"scan-room-2"},
      {u"MACAddress", u"02:00:7F:00:00:09"}}},
    {"HostNameWithoutADash", u"127.0.0.8-scanner-02:00:7F:00:00:08",
     {{u"SelectionStatus", u"1"}, {u"IPAddress", u"127.0.0.8"}, {u"HostName", u"scanner"},
      {u"MACAddress", u"02:00:7F:00:00:08"}}},
    {"EmptyHostName", u"127.0.0.7--02:00:7F:00:00:07",
     {{u"SelectionStatus", u"1"}, {u"IPAddress", u"127.0.0.7"}, {u"MACAddress", u"02:00:7F:00:00:07"}}},
    {"EmptyMACAddress", u"127.0.0.7-kelvane-7-",
     {{u"SelectionStatus", u"1"}, {u"IPAddress", u"127.0.0.7"}, {u"HostName", u"kelvane-7"}}},
    {"OneDashOnly", u"127.0.0.7-kelvane",
     {{u"SelectionStatus", u"1"}, {u"IPAddress", u"127.0.0.7"}, {u"HostName", u"kelvane"}}},
    {"NoDash", u"127.0.0.7", {{u"SelectionStatus", u"1"}, {u"IPAddress", u"127.0.0.7"}}},
    {"Empty", u"", {{u"SelectionStatus", u"1"}}},
    {"NotInList", u"DeviceNotInList", {{u"SelectionStatus", u"0"}}},
    {"NotInListInOtherLetterCase", u"devicenotinlist",
     {{u"SelectionStatus", u"1"}, {u"IPAddress", u"devicenotinlist"}}},
};

void PrintTo(const ChoiceCase& choice, std::ostream* out)
{
    *out << choice.name;
}

class FinishPageChoice : public PagesFixture, public ::testing::WithParamInterface<ChoiceCase> {};

class DiscoveryPagesTest : public PagesFixture {};

} // namespace

TEST_P(FinishPageChoice, NextStoresIt)
{
    host.Then([](MemoryPageWindow& finish) { finish.MoveWindow({40, 30, 700, 560}); });  // the user moves it
    host.Type(u"SelectedDevice", GetParam().selectedDevice);
    host.Click(u"ButtonNext");
    CNetworkDiscoveryFinishDlg finish(state, dataFile);
    EXPECT_EQ(1, finish.DoModal());
    EXPECT_EQ(0, host.TimeOuts());
    EXPECT_EQ(0, state.exitCode);
    EXPECT_EQ(std::make_pair(40, 30), std::make_pair(state.posX, state.posY));

    dataFile.CreateDataFile();
    EXPECT_EQ(SettingsFile(GetParam().stored), FileBytes(DataFilePath()));
}

INSTANTIATE_TEST_SUITE_P(Discovery, FinishPageChoice, ::testing::ValuesIn(kChoices),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiscoveryPagesTest, StopSearchingBeforeTheSearchIsDoneStoresOnlyStatusZero)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(7)}));
    heldSearch.Hold();
    host.Then([&](MemoryPageWindow& progress) {
        progress.Events().OnPageClick(u"ButtonStopSearching");
        // The worker's message reaching the page after it has ended, before its loop returned.
        progress.Events().OnPageMessage(WM_DISCOVERY_DONE);
        heldSearch.Release();
    });
    CNetworkDiscoveryProgressDlg progress(state, dataFile);
    EXPECT_EQ(1, progress.DoModal());
    JoinDiscoveryWorkers();  // the search ran to its end; its own message found no page
    EXPECT_EQ(1, state.deviceCount);

    EXPECT_EQ(std::vector<std::string>{kProgressPage}, host.PagesShown());
    EXPECT_EQ(1u, host.Windows().size());
    EXPECT_EQ(0, host.TimeOuts());
    EXPECT_EQ(0, state.exitCode);
    dataFile.CreateDataFile();
    EXPECT_EQ(SettingsFile({{u"SelectionStatus", u"0"}}), FileBytes(DataFilePath()));
}

TEST_F(DiscoveryPagesTest, TheFinishPageOpensWhereTheProgressPageWas)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(7)}));
    state.posX = 120;
    state.posY = 80;
    heldSearch.Hold();
    std::pair<int, int> progressOpenedAt;
    host.Then([&](MemoryPageWindow& progress) {
        progressOpenedAt = {progress.Record().outer.left, progress.Record().outer.top};
        progress.MoveWindow({300, 200, 700, 560});  // the user drags it
        heldSearch.Release();
    });
    bool progressEndedFirst = false;
    host.WhenOpened(1, [&] {
        host.Then([&](MemoryPageWindow&) {
            progressEndedFirst = host.Windows()[0]->ended && host.Windows()[0]->result == 1;
        });
        host.PressEscape();
    });
    CNetworkDiscoveryProgressDlg progress(state, dataFile);
    EXPECT_EQ(1, progress.DoModal());

    EXPECT_EQ((std::vector<std::string>{kProgressPage, kFinishPage}), host.PagesShown());
    EXPECT_EQ(0, host.TimeOuts());
    EXPECT_TRUE(progressEndedFirst);
    EXPECT_EQ(std::make_pair(120, 80), progressOpenedAt);
    ASSERT_EQ(2u, host.Windows().size());
    EXPECT_EQ(300, host.Windows()[1]->outer.left);
    EXPECT_EQ(200, host.Windows()[1]->outer.top);
}
