// The network search of list mode: "NtwkDevList.js", its log lines and the worker around it.
#include "integration/discovery/NetworkFixture.h"
#include "network/DeviceListFile.h"
#include "network/DeviceQueries.h"
#include "network/DiscoveryWorker.h"
#include "support/WaitFor.h"

#include <chrono>
#include <cstdio>
#include <mutex>

using namespace discoverytest;
using simdevice::SnmpAgent;

namespace {

using Lines = std::vector<std::string>;

class RecordedWindow : public IMessageWindow {
public:
    void PostMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        std::lock_guard lock(mutex);
        posted.push_back({message, wParam, lParam});
    }
    std::mutex mutex;
    std::vector<std::tuple<unsigned, std::uintptr_t, std::intptr_t>> posted;
};

// The module folder cannot be read, and no run folder could be made.
class NoModuleFolder : public platform::ISystemInfo {
public:
    bool GetComputerName(CString& name) override { return platform::ISystemInfo::Default().GetComputerName(name); }
    CString GetModuleFolder() override { return CString(); }
    CString GetRunFolder() override { return CString(); }
};

// Message boxes written to standard error, where a death test sees them.
class ReportedMessageBoxes : public platform::IMessageBoxes {
public:
    int Show(const CString& text, const CString&, unsigned) override
    {
        std::fprintf(stderr, "box: %s\n", text.ToUtf8().c_str());
        return platform::IDOK;
    }
};

class DeviceListTest : public NetworkFixture {
protected:
    // Five devices; the library supports the second (which answers SNMP v1 only) and the fifth
    // (v2c only).
    void ServeFiveDevices(SnmpAgent& agent)
    {
        auto descriptionOnly = TestDevice(11, "");
        auto v1Only = TestDevice(7);
        v1Only.versions = simdevice::SnmpVersions::V1Only;
        auto v2cOnly = TestDevice(22, "Norvik Kelvane KL3100 MFP");
        v2cOnly.versions = simdevice::SnmpVersions::V2cOnly;
        ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(3, kUnsupportedModel), v1Only, descriptionOnly,
                                              TestDevice(15, kUnsupportedModel), v2cOnly}));
    }

    DiscoveryRecord Search()
    {
        DiscoveryRecord record{u"Kelvane", 0};
        StartDiscovery();
        SaveDiscoveredDevices(record, state);
        return record;
    }
};

} // namespace

TEST_F(DeviceListTest, ListsOnlySupportedDevicesNumberedFromZero)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(ServeFiveDevices(agent));

    EXPECT_EQ(2, Search().listedCount);
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
              FileBytes(DeviceListPath()));
    EXPECT_EQ(1, state.lastFeatures);

    Lines lines = log->Lines();
    Lines expected{"Number Of Discovered Kelvane Devices: 5",
                   std::string("    Device 0: 127.0.0.3 : ") + kUnsupportedModel,
                   std::string("GetSupportedFeatures() for ") + kUnsupportedModel + " with IP :127.0.0.3 returned NONE",
                   std::string("    Device 1: 127.0.0.7 : ") + kSupportedModel,
                   std::string("GetSupportedFeatures() for ") + kSupportedModel
                       + " with IP :127.0.0.7 returned SCAN_TO_FOLDER",
                   "    Device 2: 127.0.0.11 : Norvik embedded print server",
                   "GetSupportedFeatures() for Norvik embedded print server with IP :127.0.0.11 returned NONE"};
    ASSERT_GE(lines.size(), expected.size() + 4);
    EXPECT_EQ(expected, Lines(lines.begin(), lines.begin() + static_cast<long>(expected.size())));
    // Each listed device is asked again: IP and host name, then MAC address and model.
    EXPECT_EQ((Lines{"    Device 1: 127.0.0.7 : kelvane-7", std::string(" : 02:00:7F:00:00:07 : ") + kSupportedModel,
                     "    Device 4: 127.0.0.22 : kelvane-22", " : 02:00:7F:00:00:16 : Norvik Kelvane KL3100 MFP"}),
              Lines(lines.end() - 4, lines.end()));
}

TEST_F(DeviceListTest, NoSupportedDeviceLeavesOnlyTheCount)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(3, kUnsupportedModel), TestDevice(4, "")}));
    EXPECT_EQ(0, Search().listedCount);
    EXPECT_EQ(DeviceListBytes(u"\nvar deviceCount=0;\n"), FileBytes(DeviceListPath()));
}

TEST_F(DeviceListTest, DeviceTextsCannotBreakOutOfTheirStrings)
{
    const std::string model = "Norvik Kelvane KV4250 MFP \"</script><script>alert(1)</script>\\ \xE2\x80\xA8 ' <!--\r\x1b";
    const std::string host = "host\"\n\\name";
    SnmpAgent agent;
    simdevice::SnmpIdentity hostile = TestDevice(5, model);
    hostile.hostName = host;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {hostile}));
    ASSERT_EQ(1, Search().listedCount);

    std::string bytes = FileBytes(DeviceListPath());
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    EXPECT_EQ(std::u16string::npos, text.find(u'<'));
    EXPECT_EQ(std::u16string::npos, text.find(u'\u2028'));
    // Nor out of their log lines.
    const std::string loggedModel = "Norvik Kelvane KV4250 MFP \"</script><script>alert(1)</script>\\ \xE2\x80\xA8 ' <!--\\r\\x1b";
    EXPECT_EQ((Lines{"Number Of Discovered Kelvane Devices: 1", "    Device 0: 127.0.0.5 : " + loggedModel,
                     "GetSupportedFeatures() for " + loggedModel + " with IP :127.0.0.5 returned SCAN_TO_FOLDER",
                     "    Device 0: 127.0.0.5 : host\"\\n\\name", " : 02:00:7F:00:00:05 : " + loggedModel}),
              log->Lines());

    if (std::system("command -v node >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "node is not installed: the file was not evaluated";
    setenv("EXPECTED_MODEL", model.c_str(), 1);
    setenv("EXPECTED_HOST", host.c_str(), 1);
    std::string script =
        "const fs = require('fs'); const vm = require('vm');"
        "const text = fs.readFileSync(process.argv[1], 'utf16le').replace(/^\\uFEFF/, '');"
        "const page = {}; vm.runInNewContext(text, page);"
        "console.log(page.deviceCount === 1 && page.ModelName[0] === process.env.EXPECTED_MODEL &&"
        " page.HostName[0] === process.env.EXPECTED_HOST && page.IPAddress[0] === '127.0.0.5' ? 'same' : 'different');";
    std::string command = "node -e \"" + script + "\" " + DeviceListPath().string();
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_TRUE(pipe);
    char answer[32] = {};
    std::fgets(answer, sizeof answer, pipe);
    pclose(pipe);
    EXPECT_STREQ("same\n", answer);
}

// The count line stays open while the failure is logged; the count is what the call left.
TEST_F(DeviceListTest, CountUnreadable)
{
    discovery.Script(Call::GetNumDiscoveredDevices, {{VESPER_NOT_STARTED}, {VESPER_GENERAL_ERROR, 4}});
    EXPECT_EQ(0, GetDiscoveredDeviceCount(u"Kelvane"));
    EXPECT_EQ(4, GetDiscoveredDeviceCount(u"Kelvane"));
    const std::string opened = "Number Of Discovered Kelvane Devices: ";
    Lines lines = log->Lines();
    ASSERT_EQ(4u, lines.size());
    for (std::size_t i : {0u, 2u}) {
        ASSERT_EQ(opened, lines[i].substr(0, opened.size()));
        std::string rest = lines[i].substr(opened.size());
        EXPECT_LT(0u, LogCapture::TimeStampLength(rest));
        lines[i] = opened + rest.substr(LogCapture::TimeStampLength(rest));
    }
    const std::string failed = opened + "Could not retrieve the number of devices discovered.";
    EXPECT_EQ((Lines{failed, "0", failed, "4"}), lines);
}

// The error names the search start logs; the worker then reads the list the service holds.
TEST_F(DeviceListTest, SearchStartErrors)
{
    const std::pair<int, Lines> cases[] = {{VESPER_GENERAL_ERROR, {"VESPER_GENERAL_ERROR"}},
                                           {VESPER_INVALID_FILTER, {"VESPER_INVALID_FILTER"}},
                                           {VESPER_DISCOVERY_IN_PROGRESS, {"VESPER_DISCOVERY_IN_PROGRESS"}},
                                           {VESPER_CANCELLED, {}},
                                           {VESPER_SUCCESS, {}}};
    for (const auto& [result, lines] : cases) {
        SCOPED_TRACE(result);
        log.emplace();
        discovery.Script(Call::StartDiscoveringDevices, {{result}});
        EXPECT_EQ(1, StartDiscovery());
        EXPECT_EQ(lines, log->Lines());
        EXPECT_EQ("StartDiscoveringDevices(0,0,0,1,3,4,32)", discovery.asked.back());
    }

    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5)}));
    ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverIP("127.0.0.5", 0, 0, 0));
    discovery.Script(Call::StartDiscoveringDevices, {{VESPER_GENERAL_ERROR}});
    log.emplace();
    state.modelName = u"Kelvane";
    discovery.asked.clear();
    EXPECT_EQ(0u, DiscoveryWorker(&state));
    EXPECT_EQ((Lines{"Startup(1)", "StartDiscoveringDevices(0,0,0,1,3,4,32)", "Shutdown(1)"}), discovery.asked);
    EXPECT_EQ(1, state.deviceCount);
    Lines lines = log->Lines();
    ASSERT_LE(2u, lines.size());
    EXPECT_EQ((Lines{"VESPER_GENERAL_ERROR", "Number Of Discovered Kelvane Devices: 1"}), Lines(lines.begin(), lines.begin() + 2));
}

// Each text query's failures: its log line, an empty text, and the device's line goes on.
TEST_F(DeviceListTest, DeviceTextUnreadable)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5)}));
    ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverIP("127.0.0.5", 0, 0, 0));
    const std::vector<Answer> noBuffer{{VESPER_BUFFER_TOO_SMALL, -1}};
    const std::vector<Answer> secondCallFails{{VESPER_BUFFER_TOO_SMALL, 30}, {VESPER_INDEX_OUT_OF_RANGE}};
    struct Case {
        int (*query)(int, CString&);
        Call call;
        std::vector<Answer> answers;
        Lines lines;
    };
    const Case cases[] = {
        {GetDeviceIPAddress, Call::GetIPAddress, noBuffer, {"Memory Allocation Failure for IPAddress", "    Device 0: "}},
        {GetDeviceIPAddress, Call::GetIPAddress, secondCallFails, {"Could not Retrieve IP Address", "    Device 0: "}},
        {GetDeviceMACAddress, Call::GetMACAddress, noBuffer, {"Memory Allocation Failure for MACAddress", " : "}},
        {GetDeviceMACAddress, Call::GetMACAddress, secondCallFails, {"Could not Retrieve MACAddress", " : "}},
        {GetDeviceHostName, Call::GetHostName, noBuffer, {"Memory Allocation Failure for HostName", " : "}},
        {GetDeviceHostName, Call::GetHostName, secondCallFails, {"Could not Retrieve HostName", " : "}},
        {GetDeviceModelName, Call::GetModelName, noBuffer, {"Memory Allocation Failure for ModelName", " : "}},
        {GetDeviceModelName, Call::GetModelName, secondCallFails, {"Could not Retrieve ModelName", " : "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines[0]);
        log.emplace();
        discovery.Script(c.call, c.answers);
        CString text = u"unchanged";
        EXPECT_EQ(1, c.query(0, text));
        EXPECT_EQ("", text.ToUtf8());
        EXPECT_EQ(c.lines, log->Lines());
    }
}

TEST_F(DeviceListTest, WithoutTheScriptFolderTheProgramEndsWithTheDataFileFailure)
{
    std::filesystem::remove_all(module.folder / "js");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    DiscoveryRecord record;
    EXPECT_EXIT(SaveDiscoveredDevices(record, state), ::testing::ExitedWithCode(2), "");
    EXPECT_TRUE(log->HasLine("SaveDiscoveredDevices() couldn't open NtwkDevList.js for appending."));
}

// Without the module path message 144 is shown; without a run folder the program ends.
TEST_F(DeviceListTest, ModulePathUnreadable)
{
    ASSERT_FALSE(std::filesystem::exists("/js")) << "the device list would be written to /js";
    NoModuleFolder noModule;
    platform::ScopedService<platform::ISystemInfo> useNoModule{noModule};
    ReportedMessageBoxes reported;
    platform::ScopedService<platform::IMessageBoxes> useReported{reported};
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    DiscoveryRecord record{u"Kelvane", 0};
    EXPECT_EXIT(SaveDiscoveredDevices(record, state), ::testing::ExitedWithCode(2),
                "^box: Could not get path to module\\.\n$");
    EXPECT_EQ((Lines{"Number Of Discovered Kelvane Devices: 0", "QuilletNetwork:ShowMessageBox(): LangID= 1033",
                     "SaveDiscoveredDevices() couldn't open NtwkDevList.js for appending."}),
              log->Lines());
}

TEST_F(DeviceListTest, WorkerWritesTheListAndTellsThePage)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(ServeFiveDevices(agent));
    auto window = std::make_shared<RecordedWindow>();
    state.windowHandle = window;
    state.modelName = u"Kelvane";
    state.workerResult = 7;

    EXPECT_EQ(0u, DiscoveryWorker(&state));
    EXPECT_EQ(0, state.workerResult);
    EXPECT_EQ(2, state.deviceCount);
    EXPECT_EQ((std::vector<std::tuple<unsigned, std::uintptr_t, std::intptr_t>>{{1029u, 0u, 0}}), window->posted);
    EXPECT_TRUE(log->HasLine("Number Of Discovered Kelvane Devices: 5"));
    int count = -1;
    EXPECT_EQ(VESPER_SUCCESS, Vesper_getNumDiscoveredDevices(&count));  // the test's own pair is still open
    EXPECT_EQ(5, count);

    // A page that has closed takes no message.
    window.reset();
    EXPECT_EQ(0u, DiscoveryWorker(&state));

    // The worker's start-up and shutdown pair: with the test's pair closed, none is left open.
    Vesper_shutdown(1);
    EXPECT_EQ(0u, DiscoveryWorker(&state));
    EXPECT_EQ(VESPER_NOT_STARTED, Vesper_getNumDiscoveredDevices(&count));
    Vesper_startup(1);
}

TEST_F(DeviceListTest, StoppedSearchEndsWithTheLastShutdown)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(ServeFiveDevices(agent));
    setenv("VESPER_QUIET_MS", "20000", 1);
    setenv("VESPER_SEARCH_MS", "30000", 1);
    auto window = std::make_shared<RecordedWindow>();
    state.windowHandle = window;

    StartDiscoveryWorker(&state);
    ASSERT_TRUE(WaitFor([] {
        int count = 0;
        return Vesper_getNumDiscoveredDevices(&count) == VESPER_DISCOVERY_IN_PROGRESS;
    })) << "the search did not start";
    auto start = std::chrono::steady_clock::now();
    Vesper_shutdown(1);  // the program's own, at its end
    JoinDiscoveryWorkers();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(0, state.deviceCount);
    EXPECT_EQ(DeviceListBytes(u"\nvar deviceCount=0;\n"), FileBytes(DeviceListPath()));
    Vesper_startup(1);  // for TearDown
}
