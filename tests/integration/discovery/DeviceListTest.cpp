// The network search of list mode: "NtwkDevList.js", its log lines and the worker around it.
#include "integration/discovery/NetworkFixture.h"
#include "network/DeviceListFile.h"
#include "network/DeviceQueries.h"
#include "network/DiscoveryWorker.h"

#include <chrono>
#include <cstdio>
#include <mutex>

using namespace discoverytest;
using simdevice::SnmpAgent;

namespace {

using Lines = std::vector<std::string>;

// The file's text as the program writes it: "\n" becomes CR LF.
std::string DeviceListBytes(std::u16string text)
{
    std::u16string crlf;
    for (char16_t unit : text) {
        if (unit == u'\n')
            crlf += u'\r';
        crlf += unit;
    }
    return Utf16File(crlf);
}

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

class DeviceListTest : public NetworkFixture {
protected:
    // Five devices; the library supports the second and the fifth.
    void ServeFiveDevices(SnmpAgent& agent)
    {
        auto descriptionOnly = TestDevice(11, "");
        ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(3, kUnsupportedModel), TestDevice(7), descriptionOnly,
                                              TestDevice(15, kUnsupportedModel),
                                              TestDevice(22, "Norvik Kelvane KL3100 MFP")}));
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
    const std::string model = "Norvik Kelvane KV4250 MFP \"</script><script>alert(1)</script>\\ \xE2\x80\xA8 ' <!--";
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

TEST_F(DeviceListTest, CountUnreadableAndSearchErrorsAreLogged)
{
    setenv("VESPER_SCOPE", "127.0.0.1/", 1);
    EXPECT_EQ(1, StartDiscovery());
    Vesper_shutdown(1);
    EXPECT_EQ(0, GetDiscoveredDeviceCount(u"Kelvane"));
    Vesper_startup(1);
    Lines lines = log->Lines();
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("VESPER_INVALID_FILTER", lines[0]);
    // The count line stays open while the failure is logged, then gets its count.
    EXPECT_EQ(0u, lines[1].find("Number Of Discovered Kelvane Devices: "));
    EXPECT_NE(std::string::npos, lines[1].find(" Could not retrieve the number of devices discovered."));
    EXPECT_EQ("0", lines[2]);
}

TEST_F(DeviceListTest, WithoutTheScriptFolderTheProgramEnds)
{
    std::filesystem::remove_all(module.folder / "js");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    DiscoveryRecord record;
    EXPECT_EXIT(SaveDiscoveredDevices(record, state), ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(log->HasLine("SaveDiscoveredDevices() couldn't open NtwkDevList.js for appending."));
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
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the search is under way
    auto start = std::chrono::steady_clock::now();
    Vesper_shutdown(1);  // the program's own, at its end
    JoinDiscoveryWorkers();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(0, state.deviceCount);
    EXPECT_EQ(DeviceListBytes(u"\nvar deviceCount=0;\n"), FileBytes(DeviceListPath()));
    Vesper_startup(1);  // for TearDown
}
