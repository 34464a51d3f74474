// The discovery service's call table against simulated SNMP agents.
#include "integration/discovery/DiscoveryFixture.h"
#include "support/WaitFor.h"
#include "vesper/vespersdk.h"

#include <chrono>
#include <arpa/inet.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

using namespace discoverytest;
using simdevice::SnmpAgent;
using simdevice::SnmpVersions;

namespace {

using TextQuery = int (*)(int, char*, int, int*);

// The two-step query as the program makes it.
std::string Text(TextQuery query, int index)
{
    int length = 0;
    EXPECT_EQ(VESPER_BUFFER_TOO_SMALL, query(index, nullptr, 0, &length));
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, 'x');
    EXPECT_EQ(VESPER_SUCCESS, query(index, buffer.data(), length, &length));
    return buffer.data();
}

int Count()
{
    int count = -1;
    EXPECT_EQ(VESPER_SUCCESS, Vesper_getNumDiscoveredDevices(&count));
    return count;
}

struct Device {
    std::string ip, model, host, mac;
    friend bool operator==(const Device&, const Device&) = default;
};

std::vector<Device> List()
{
    std::vector<Device> devices;
    for (int i = 0; i < Count(); ++i)
        devices.push_back({Text(Vesper_getIPAddress, i), Text(Vesper_getModelName, i), Text(Vesper_getHostName, i),
                           Text(Vesper_getMACAddress, i)});
    return devices;
}

class VesperSdkTest : public DiscoveryFixture {
protected:
    void SetUp() override
    {
        DiscoveryFixture::SetUp();
        Vesper_startup(1);
    }
    void TearDown() override { Vesper_shutdown(1); }
};

} // namespace

TEST(VesperValidity, AddressTexts)
{
    for (const char* valid : {"127.0.0.5", "0.0.0.0", "255.255.255.255", "10.0.0.05"})
        EXPECT_EQ(VESPER_SUCCESS, Vesper_isValidIPAddress(valid)) << valid;
    for (const char* invalid : {"", "127.0.0", "127.0.0.256", "127.0.0.5 ", "1.2.3.4.5", "1..2.3", "a.b.c.d", "1234.1.1.1"})
        EXPECT_EQ(VESPER_INVALID_FILTER, Vesper_isValidIPAddress(invalid)) << invalid;

    for (const char* valid : {"printer", "kelvane-4.office.example", "3com.example.", "a", "127.0.0.5", "under_score",
                              "_scan.office_1.example", "SCAN_"})
        EXPECT_EQ(VESPER_SUCCESS, Vesper_isValidIPHostname(valid)) << valid;
    const std::string longLabel(64, 'a');
    for (const std::string& invalid : std::vector<std::string>{"", "-printer", "printer-", "two..dots", "a/b",
                                                               "blank name", longLabel, ".", "scan_01@x"})
        EXPECT_EQ(VESPER_INVALID_FILTER, Vesper_isValidIPHostname(invalid.c_str())) << invalid;

    for (const char* valid : {"00:1B:2C:3D:4E:5F", "00-1b-2c-3d-4e-5f", "001B2C3D4E5F"})
        EXPECT_EQ(VESPER_SUCCESS, Vesper_isValidMACAddress(valid)) << valid;
    for (const char* invalid : {"", "00:1B:2C:3D:4E", "00:1B-2C:3D:4E:5F", "00:1B:2C:3D:4E:5G", "001B2C3D4E5", "0:1B:2C:3D:4E:5F:"})
        EXPECT_EQ(VESPER_INVALID_FILTER, Vesper_isValidMACAddress(invalid)) << invalid;

    EXPECT_EQ(VESPER_INVALID_ARGUMENT, Vesper_isValidIPAddress(nullptr));
}

// In every SNMP version a device may answer: its facts, the model from sysDescr.0 where it has
// no hrDeviceDescr.1 (a v1 agent then refuses the query's objects past its last one, and is asked
// again without them).
TEST_F(VesperSdkTest, DiscoverIPReadsTheDeviceFacts)
{
    SnmpAgent agent;
    const std::pair<SnmpVersions, int> versions[] = {
        {SnmpVersions::V1AndV2c, 0}, {SnmpVersions::V1Only, 10}, {SnmpVersions::V2cOnly, 20}};
    for (auto [spoken, base] : versions) {
        auto withModelTable = TestDevice(base + 5);
        auto withoutModelTable = TestDevice(base + 6, "");
        withoutModelTable.description = "Norvik Kelvane KL3100 MFP";
        withModelTable.versions = withoutModelTable.versions = spoken;
        ASSERT_TRUE(agent.AddDevice(withModelTable) && agent.AddDevice(withoutModelTable));
    }
    ASSERT_TRUE(agent.Start());

    for (auto [spoken, base] : versions) {
        SCOPED_TRACE(base);
        const std::string n5 = std::to_string(base + 5), n6 = std::to_string(base + 6);
        ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverIP(("127.0.0." + n5).c_str(), 0, 0, 0));
        EXPECT_EQ((std::vector<Device>{{"127.0.0." + n5, kSupportedModel, "kelvane-" + n5, TestDevice(base + 5).macAddress}}),
                  List());
        ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverIP(("127.0.0." + n6).c_str(), 0, 0, 0));
        EXPECT_EQ((std::vector<Device>{{"127.0.0." + n6, "Norvik Kelvane KL3100 MFP", "kelvane-" + n6,
                                        TestDevice(base + 6).macAddress}}),
                  List());
    }
}

TEST_F(VesperSdkTest, DiscoverIPWithoutDeviceRunsAndFindsNothing)
{
    SnmpAgent agent("another-community");
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(8)}));
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(VESPER_SUCCESS, Vesper_discoverIP("127.0.0.7", 0, 0, 0));
    EXPECT_EQ(0, Count());
    EXPECT_EQ(VESPER_SUCCESS, Vesper_discoverIP("127.0.0.8", 0, 0, 0));  // wrong community: silent
    EXPECT_EQ(0, Count());
    // Two attempts of 60 ms each per address.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(600));

    EXPECT_EQ(VESPER_INVALID_FILTER, Vesper_discoverIP("127.0.0.300", 0, 0, 0));
    EXPECT_EQ(VESPER_INVALID_ARGUMENT, Vesper_discoverIP(nullptr, 0, 0, 0));
}

// The answer of the one address asked ends the check: no further round, no quiet time after it.
TEST_F(VesperSdkTest, AnAnswerEndsTheCheckOfItsAddressAtOnce)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5)}));
    setenv("VESPER_TIMEOUT_MS", "5000", 1); // the wait for a round's answers and the quiet time
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverIP("127.0.0.5", 0, 0, 0));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(1, Count());
}

// An address that stays silent is asked once per round: the first time and once per retry,
// each time with a v2c GetBulk and a v1 GetNext.
TEST_F(VesperSdkTest, ASilentAddressIsAskedOnceAndThenOncePerRetry)
{
    const int listener = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    ASSERT_LE(0, listener);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(161);
    at.sin_addr.s_addr = htonl(0x7F000063);  // 127.0.0.99
    ASSERT_EQ(0, bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at));
    for (const auto& [retries, rounds] : {std::pair{"0", 1}, std::pair{"2", 3}}) {
        setenv("VESPER_RETRIES", retries, 1);
        EXPECT_EQ(VESPER_SUCCESS, Vesper_discoverIP("127.0.0.99", 0, 0, 0));
        EXPECT_EQ(0, Count());
        int datagrams = 0;
        char buffer[2048];
        while (recv(listener, buffer, sizeof buffer, 0) >= 0)
            ++datagrams;
        EXPECT_EQ(2 * rounds, datagrams) << "retries " << retries;
    }
    close(listener);
}

TEST_F(VesperSdkTest, TextQueryProtocol)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5)}));
    ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverIP("127.0.0.5", 0, 0, 0));

    const int needed = static_cast<int>(std::string(kSupportedModel).size()) + 1;
    int length = 0;
    EXPECT_EQ(VESPER_BUFFER_TOO_SMALL, Vesper_getModelName(0, nullptr, 0, &length));
    EXPECT_EQ(needed, length);

    char small[8] = "garbage";
    length = 0;
    EXPECT_EQ(VESPER_BUFFER_TOO_SMALL, Vesper_getModelName(0, small, sizeof small, &length));
    EXPECT_EQ(needed, length);
    EXPECT_STREQ("", small);

    std::vector<char> exact(static_cast<std::size_t>(needed), 'x');
    EXPECT_EQ(VESPER_SUCCESS, Vesper_getModelName(0, exact.data(), needed, &length));
    EXPECT_STREQ(kSupportedModel, exact.data());

    EXPECT_EQ(VESPER_INDEX_OUT_OF_RANGE, Vesper_getModelName(1, exact.data(), needed, &length));
    EXPECT_EQ(VESPER_INDEX_OUT_OF_RANGE, Vesper_getIPAddress(-1, exact.data(), needed, &length));
    EXPECT_EQ(VESPER_INVALID_ARGUMENT, Vesper_getHostName(0, exact.data(), needed, nullptr));
    EXPECT_EQ(VESPER_INVALID_ARGUMENT, Vesper_getNumDiscoveredDevices(nullptr));
}

TEST_F(VesperSdkTest, SearchListsEveryAnsweringDeviceInAddressOrder)
{
    SnmpAgent agent;
    auto v1Only = TestDevice(12);
    v1Only.versions = SnmpVersions::V1Only;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(21), TestDevice(3, kUnsupportedModel), v1Only}));
    SnmpAgent outOfScope;
    ASSERT_NO_FATAL_FAILURE(Serve(outOfScope, {TestDevice(50)}));

    ASSERT_EQ(VESPER_SUCCESS, Vesper_startDiscoveringDevices(0, 0, 0, 1, 3, 4, 32));
    EXPECT_EQ((std::vector<Device>{{"127.0.0.3", kUnsupportedModel, "kelvane-3", "02:00:7F:00:00:03"},
                                   {"127.0.0.12", kSupportedModel, "kelvane-12", "02:00:7F:00:00:0C"},
                                   {"127.0.0.21", kSupportedModel, "kelvane-21", "02:00:7F:00:00:15"}}),
              List());
    EXPECT_EQ(0u, outOfScope.RequestCount());

    // The list stays as it was until the next discovery call, which replaces it.
    EXPECT_EQ(3, Count());
    ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverIP("127.0.0.12", 0, 0, 0));
    EXPECT_EQ(1, Count());
}

TEST_F(VesperSdkTest, SearchScopeAndFilterErrors)
{
    EXPECT_EQ(VESPER_INVALID_FILTER, Vesper_startDiscoveringDevices(0, 0, 0, 1, 3, -4, 32));

    setenv("VESPER_SCOPE", "127.0.0.1-127.0.0.x", 1);
    EXPECT_EQ(VESPER_INVALID_FILTER, Vesper_startDiscoveringDevices(0, 0, 0, 1, 3, 4, 32));
    EXPECT_EQ(VESPER_INVALID_FILTER, Vesper_discoverMAC("02:00:7F:00:00:05", "", 0, 0));
    EXPECT_EQ(0, Count());

    // Unset: the interfaces' broadcast addresses, of which the private network has none.
    unsetenv("VESPER_SCOPE");
    EXPECT_EQ(VESPER_SUCCESS, Vesper_startDiscoveringDevices(0, 0, 0, 1, 3, 4, 32));
    EXPECT_EQ(0, Count());
}

TEST_F(VesperSdkTest, DiscoverHostNameResolvesFirst)
{
    std::string error;
    ASSERT_TRUE(UsePrivateHostsFile("127.0.0.9 scanner.office.example scanner SCAN_09\n", error)) << error;
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(9)}));

    for (const char* name : {"scanner.office.example", "SCAN_09"}) {
        ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverHostName(name, "", 0, 0)) << name;
        EXPECT_EQ((std::vector<Device>{{"127.0.0.9", kSupportedModel, "kelvane-9", "02:00:7F:00:00:09"}}), List());
    }

    EXPECT_EQ(VESPER_HOST_NOT_FOUND, Vesper_discoverHostName("nowhere.office.example", "", 0, 0));
    EXPECT_EQ(VESPER_INVALID_FILTER, Vesper_discoverHostName("bad name", "", 0, 0));
    EXPECT_EQ(0, Count());
}

TEST_F(VesperSdkTest, DiscoverMACKeepsTheDeviceThatReportsIt)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(4), TestDevice(14), TestDevice(24)}));

    for (const char* form : {"02:00:7f:00:00:0e", "02-00-7F-00-00-0E", "02007F00000E"}) {
        ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverMAC(form, "", 0, 0)) << form;
        EXPECT_EQ((std::vector<Device>{{"127.0.0.14", kSupportedModel, "kelvane-14", "02:00:7F:00:00:0E"}}), List());
    }
    EXPECT_EQ(VESPER_SUCCESS, Vesper_discoverMAC("02:00:7F:00:00:99", "", 0, 0));
    EXPECT_EQ(0, Count());
    EXPECT_EQ(VESPER_INVALID_FILTER, Vesper_discoverMAC("02:00:7F:00:00", "", 0, 0));
}

// A device that does not report the MAC address asked for is found through the neighbour table:
// among the answers of the search, or asked on its own when the search did not reach it.
TEST_F(VesperSdkTest, DiscoverMACFallsBackOnTheNeighbourTable)
{
    SnmpAgent agent;
    auto inScope = TestDevice(5);
    inScope.macAddress.clear();
    auto outOfScope = TestDevice(50);
    outOfScope.macAddress.clear();
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {inScope, outOfScope, TestDevice(6)}));  // 6 reports another MAC
    const auto table = std::filesystem::path(std::getenv("HOME")) / "arp";
    std::ofstream(table) << "IP address       HW type     Flags       HW address            Mask     Device\n"
                            "127.0.0.5        0x1         0x2         02:fc:00:00:00:05     *        eth0\n"
                            "127.0.0.50       0x1         0x2         02:fc:00:00:00:50     *        eth0\n"
                            "127.0.0.6        0x1         0x2         02:fc:00:00:00:66     *        eth0\n";
    setenv("VESPER_NEIGHBOUR_TABLE", table.c_str(), 1);

    const std::pair<const char*, std::vector<Device>> cases[] = {
        {"02:FC:00:00:00:05", {{"127.0.0.5", kSupportedModel, "kelvane-5", "02:FC:00:00:00:05"}}},
        {"02-fc-00-00-00-50", {{"127.0.0.50", kSupportedModel, "kelvane-50", "02:FC:00:00:00:50"}}},
        {"02FC00000066", {{"127.0.0.6", kSupportedModel, "kelvane-6", "02:FC:00:00:00:66"}}},
        {"02:FC:00:00:00:77", {}},
    };
    for (const auto& [mac, devices] : cases) {
        ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverMAC(mac, "", 0, 0)) << mac;
        EXPECT_EQ(devices, List()) << mac;
    }
}

// Without a free descriptor the service cannot search: neither the cancel descriptor nor the
// socket can be had. The call fails with VESPER_GENERAL_ERROR, the list is empty, and the service
// searches again once descriptors are free.
TEST_F(VesperSdkTest, NoDescriptorLeftIsAGeneralError)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5)}));
    rlimit saved{};
    ASSERT_EQ(0, getrlimit(RLIMIT_NOFILE, &saved));
    const int lowestFree = open("/", O_RDONLY | O_CLOEXEC);
    ASSERT_LE(0, lowestFree);
    close(lowestFree);
    for (int free : {0, 1}) {
        SCOPED_TRACE(free);
        ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverIP("127.0.0.5", 0, 0, 0));
        ASSERT_EQ(1, Count());
        rlimit limit = saved;
        limit.rlim_cur = static_cast<rlim_t>(lowestFree + free);
        ASSERT_EQ(0, setrlimit(RLIMIT_NOFILE, &limit));
        const int result = Vesper_discoverIP("127.0.0.5", 0, 0, 0);
        ASSERT_EQ(0, setrlimit(RLIMIT_NOFILE, &saved));
        EXPECT_EQ(VESPER_GENERAL_ERROR, result);
        EXPECT_EQ(0, Count());
    }
    EXPECT_EQ(VESPER_SUCCESS, Vesper_discoverIP("127.0.0.5", 0, 0, 0));
    // Every search gave its descriptors back.
    const int lowestFreeAfter = open("/", O_RDONLY | O_CLOEXEC);
    EXPECT_EQ(lowestFree, lowestFreeAfter);
    close(lowestFreeAfter);
}

TEST_F(VesperSdkTest, BroadcastReachesTheDevicesOfASubnet)
{
    std::string error;
    ASSERT_TRUE(AddEthernetSegment("10.77.0.1", "10.77.0.5", error)) << error;
    SnmpAgent agent;
    auto device = TestDevice(5);
    device.address = "10.77.0.5";
    device.versions = SnmpVersions::V1Only;
    ASSERT_TRUE(agent.AddDevice(device));
    ASSERT_TRUE(agent.AddBroadcastAddress("10.77.0.255"));
    ASSERT_TRUE(agent.Start());

    setenv("VESPER_SCOPE", "10.77.0.0/24", 1);
    ASSERT_EQ(VESPER_SUCCESS, Vesper_startDiscoveringDevices(0, 0, 0, 1, 3, 4, 32));
    EXPECT_EQ((std::vector<Device>{{"10.77.0.5", kSupportedModel, "kelvane-5", "02:00:7F:00:00:05"}}), List());

    // The default scope is the same subnet, found through the interface.
    unsetenv("VESPER_SCOPE");
    ASSERT_EQ(VESPER_SUCCESS, Vesper_startDiscoveringDevices(0, 0, 0, 1, 3, 4, 32));
    EXPECT_EQ(1, Count());
}

TEST_F(VesperSdkTest, StartupAndShutdownNest)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5)}));
    EXPECT_EQ(VESPER_SUCCESS, Vesper_startup(1));
    ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverIP("127.0.0.5", 0, 0, 0));
    EXPECT_EQ(VESPER_SUCCESS, Vesper_shutdown(1));
    EXPECT_EQ(1, Count());  // the outer pair is still open

    EXPECT_EQ(VESPER_SUCCESS, Vesper_shutdown(1));
    int count = 0;
    EXPECT_EQ(VESPER_NOT_STARTED, Vesper_getNumDiscoveredDevices(&count));
    EXPECT_EQ(VESPER_NOT_STARTED, Vesper_discoverIP("127.0.0.5", 0, 0, 0));
    EXPECT_EQ(VESPER_NOT_STARTED, Vesper_shutdown(1));
    Vesper_startup(1);  // for TearDown
}

TEST_F(VesperSdkTest, ShutdownStopsASearchOfAnotherThread)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5)}));
    setenv("VESPER_QUIET_MS", "20000", 1);
    setenv("VESPER_SEARCH_MS", "30000", 1);

    std::promise<void> started;
    auto worker = std::async(std::launch::async, [&] {
        Vesper_startup(1);
        started.set_value();
        int result = Vesper_startDiscoveringDevices(0, 0, 0, 1, 3, 4, 32);
        int count = -1;
        Vesper_getNumDiscoveredDevices(&count);
        Vesper_shutdown(1);
        return std::pair(result, count);
    });
    started.get_future().wait();
    // Wait until the search is under way: then the service refuses a second one.
    ASSERT_TRUE(WaitFor([] {
        int count = 0;
        return Vesper_getNumDiscoveredDevices(&count) == VESPER_DISCOVERY_IN_PROGRESS;
    })) << "the search did not start";
    EXPECT_EQ(VESPER_DISCOVERY_IN_PROGRESS, Vesper_discoverIP("127.0.0.5", 0, 0, 0));
    EXPECT_EQ(VESPER_DISCOVERY_IN_PROGRESS, Vesper_discoverMAC("02:00:7F:00:00:05", "", 0, 0));
    EXPECT_EQ(VESPER_DISCOVERY_IN_PROGRESS, Vesper_discoverHostName("localhost", "", 0, 0));

    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(VESPER_SUCCESS, Vesper_shutdown(1));  // the test's own pair
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    auto [result, count] = worker.get();
    EXPECT_EQ(VESPER_CANCELLED, result);
    EXPECT_EQ(0, count);
    Vesper_startup(1);  // for TearDown
}
