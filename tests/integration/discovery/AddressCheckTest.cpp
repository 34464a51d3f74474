// The three address checks against simulated devices: log lines, messages, stored values, retries.
#include "integration/discovery/NetworkFixture.h"
#include "network/AddressCheck.h"

#include <chrono>

using namespace discoverytest;
using simdevice::SnmpAgent;

namespace {

using Lines = std::vector<std::string>;

// The data file as CreateDataFile writes it for these pairs, in this order.
std::string DataFileBytes(std::initializer_list<std::pair<const char16_t*, const char16_t*>> pairs)
{
    std::u16string text = u"<?xml version=\"1.0\" encoding=\"utf-16\"?>\n<tarrow>\n\t<settings>\n";
    for (auto [key, value] : pairs)
        text += std::u16string(u"\t\t<") + key + u">\n\t\t\t" + value + u"\n\t\t</" + key + u">\n";
    text += u"\t</settings>\n</tarrow>\n";
    return Utf16File(text);
}

enum class Kind { IPAddress, HostName, MACAddress };

class AddressCheckTest : public NetworkFixture {
protected:
    std::string WrittenDataFile()
    {
        dataFile.CreateDataFile();
        return FileBytes(DataFilePath());
    }

    // Runs one check with a data file of its own; ipAddress receives the out-argument.
    int Check(Kind kind, const char16_t* address, CWriteXML& data, CString& ipAddress)
    {
        CAddressCheck run(state, data);
        switch (kind) {
        case Kind::IPAddress: return run.ValidateIPAddress(address, 0);
        case Kind::HostName: return run.ValidateHostName(address, ipAddress, 0);
        case Kind::MACAddress: return run.ValidateMACAddress(address, ipAddress, 0);
        }
        return -1;
    }

    CAddressCheck check{state, dataFile};
};

const std::string kInvalidIP = "Invalid IP Address. Please enter valid IP Address.";
const std::string kIPNotFound = "IP Address not found on network.";
const std::string kBoxLine = "QuilletNetwork:ShowMessageBox(): LangID= 1033";
const std::string kModelLine = std::string("Model Name Obtained from Printer :") + kSupportedModel;

} // namespace

TEST_F(AddressCheckTest, IPAddressFound)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5)}));

    EXPECT_EQ(0, check.ValidateIPAddress(u"127.0.0.5", 0));
    EXPECT_EQ((Lines{"Vesper_isValidIPAddress(127.0.0.5) returns 0", "Valid IP Address Passed.",
                     "127.0.0.5 Network IP Found.", "Model Name Access Successful.",
                     std::string("Model Name Obtained from Printer :") + kSupportedModel}),
              log->Lines());
    EXPECT_EQ(kSupportedModel, state.modelName.ToUtf8());
    EXPECT_EQ((Lines{"DiscoverIP(127.0.0.5,0,0,0)"}), discovery.asked);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(sleeper.waits.empty());
    EXPECT_EQ(DataFileBytes({{u"PrinterModelName", u"Norvik Kelvane KV4250 MFP"}, {u"PrinterAccessError", u"FALSE"}}),
              WrittenDataFile());
}

TEST_F(AddressCheckTest, InvalidIPAddressStoresOnlyTheAccessError)
{
    EXPECT_EQ(1, check.ValidateIPAddress(u"127.0.0.256", 0));
    EXPECT_EQ((Lines{"Vesper_isValidIPAddress(127.0.0.256) returns 8", "127.0.0.256 is not a Valid IP Address", kBoxLine}),
              log->Lines());
    EXPECT_EQ((std::vector<RecordedMessageBoxes::Box>{{kInvalidIP, "Error", platform::MB_OK | platform::MB_ICONERROR}}),
              boxes.shown);
    EXPECT_EQ(DataFileBytes({{u"PrinterAccessError", u"TRUE"}}), WrittenDataFile());
}

TEST_F(AddressCheckTest, IPAddressNotFoundAfterSixAttempts)
{
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(1, check.ValidateIPAddress(u"127.0.0.7", 0));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));

    Lines expected;
    for (int attempt = 0; attempt < 6; ++attempt) {
        expected.push_back("Vesper_isValidIPAddress(127.0.0.7) returns 0");
        expected.push_back("Valid IP Address Passed.");
        if (attempt < 5)
            expected.push_back("WARNING : Number of discovered devices is 0. Retrying...");
    }
    expected.push_back("ERROR : Number of discovered devices is 0 after multiple retries. Giving up...");
    expected.push_back("ERROR: Network IP 127.0.0.7 not discovered on the network. Vesper Error: 0");
    expected.push_back(kBoxLine);
    EXPECT_EQ(expected, log->Lines());
    EXPECT_EQ((std::vector<unsigned>(5, 3000)), sleeper.waits);
    EXPECT_EQ((Lines{kIPNotFound}), Messages());
    EXPECT_EQ(DataFileBytes({{u"PrinterAccessError", u"TRUE"}}), WrittenDataFile());
}

TEST_F(AddressCheckTest, HostNameFoundOnTheSixthAttempt)
{
    std::string error;
    ASSERT_TRUE(UsePrivateHostsFile("127.0.0.9 scanner.office.example\n", error)) << error;
    SnmpAgent agent;
    sleeper.onWait = [&](int wait) {
        if (wait == 5) {
            ASSERT_TRUE(agent.AddDevice(TestDevice(9)));
            ASSERT_TRUE(agent.Start());
        }
    };

    CString ipAddress;
    EXPECT_EQ(0, check.ValidateHostName(u"scanner.office.example", ipAddress, 0));
    EXPECT_EQ("127.0.0.9", ipAddress.ToUtf8());
    Lines lines = log->Lines();
    EXPECT_EQ(6, std::count(lines.begin(), lines.end(), "Vesper_isValidIPHostname(scanner.office.example) returns 0"));
    EXPECT_EQ(5, std::count(lines.begin(), lines.end(), "WARNING : Number of discovered devices is 0. Retrying..."));
    EXPECT_EQ(Lines(6, "DiscoverHostName(scanner.office.example,,0,0)"), discovery.asked);
    EXPECT_EQ((Lines{"Success Hostname Found.", "Model Name Access Successful.",
                     std::string("Model Name Obtained from Printer :") + kSupportedModel}),
              Lines(lines.end() - 3, lines.end()));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(DataFileBytes({{u"PrinterModelName", u"Norvik Kelvane KV4250 MFP"}, {u"PrinterAccessError", u"FALSE"}}),
              WrittenDataFile());
}

TEST_F(AddressCheckTest, HostNameInvalidOrUnknown)
{
    std::string error;
    ASSERT_TRUE(UsePrivateHostsFile("127.0.0.9 scanner.office.example\n", error)) << error;
    CString ipAddress;
    EXPECT_EQ(1, check.ValidateHostName(u"", ipAddress, 0));
    EXPECT_EQ(1, check.ValidateHostName(u"nowhere.office.example", ipAddress, 0));
    EXPECT_EQ((Lines{"Vesper_isValidIPHostname() returns 8", " is not a Valid HostName", kBoxLine,
                     "Vesper_isValidIPHostname(nowhere.office.example) returns 0",
                     "ERROR: Hostname nowhere.office.example not discovered on the network. Vesper Error: 12",
                     kBoxLine}),
              log->Lines());
    EXPECT_EQ((Lines{"Invalid Host Name. Please enter valid Host Name.", "Host Name not found on network."}),
              Messages());
    EXPECT_TRUE(ipAddress.IsEmpty());
}

TEST_F(AddressCheckTest, MACAddressFoundThroughTheSearch)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(4), TestDevice(14, "Norvik Kelvane KL3100 MFP"), TestDevice(24)}));

    CString ipAddress;
    EXPECT_EQ(0, check.ValidateMACAddress(u"02-00-7F-00-00-0E", ipAddress, 0));
    EXPECT_EQ("127.0.0.14", ipAddress.ToUtf8());
    EXPECT_EQ((Lines{"Vesper_isValidMACAddress(02-00-7F-00-00-0E) returns 0", "Success MACAddress Found.",
                     "Model Name Access Successful.", "Model Name Obtained from Printer :Norvik Kelvane KL3100 MFP"}),
              log->Lines());
    EXPECT_EQ("Norvik Kelvane KL3100 MFP", state.modelName.ToUtf8());
    EXPECT_EQ((Lines{"DiscoverMAC(02-00-7F-00-00-0E,,0,0)"}), discovery.asked);
}

TEST_F(AddressCheckTest, MACAddressInvalidOrAbsent)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(4)}));
    CString ipAddress;
    EXPECT_EQ(1, check.ValidateMACAddress(u"02:00:7F:00:00", ipAddress, 0));
    EXPECT_EQ(1, check.ValidateMACAddress(u"02:00:7F:00:00:99", ipAddress, 0));
    Lines lines = log->Lines();
    EXPECT_EQ("02:00:7F:00:00 Not a Valid MACAddress", lines[1]);
    EXPECT_EQ("ERROR : Number of discovered devices is 0 after multiple retries. Giving up...", lines.end()[-2]);
    EXPECT_EQ((Lines{"Invalid MAC Address. Please enter valid MAC Address.", "MAC Address not found on network."}),
              Messages());
    EXPECT_EQ(5u, sleeper.waits.size());
}

TEST_F(AddressCheckTest, ModelNameTooLongForTheBuffer)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5, std::string(127, 'K'))}));
    EXPECT_EQ(1, check.ValidateIPAddress(u"127.0.0.5", 0));
    EXPECT_EQ("ERROR : Model Name Access Failed.", log->Lines().back());
    EXPECT_TRUE(boxes.shown.empty());
    dataFile.CreateDataFile();
    EXPECT_FALSE(std::filesystem::exists(DataFilePath()));  // nothing was stored
}

// Each failure of the service on its way: the exact log lines, the result, the message and what
// is stored for the data file (nothing at all where no file is written).
TEST_F(AddressCheckTest, ServiceFailuresOnTheWay)
{
    std::string error;
    ASSERT_TRUE(UsePrivateHostsFile("127.0.0.5 scanner.office.example\n", error)) << error;
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5)}));
    const std::string validIP = "Vesper_isValidIPAddress(127.0.0.5) returns 0";
    const std::string validHost = "Vesper_isValidIPHostname(scanner.office.example) returns 0";
    const std::string validMAC = "Vesper_isValidMACAddress(02:00:7F:00:00:05) returns 0";
    const std::string found = DataFileBytes({{u"PrinterModelName", u"Norvik Kelvane KV4250 MFP"},
                                             {u"PrinterAccessError", u"FALSE"}});
    const std::string accessError = DataFileBytes({{u"PrinterAccessError", u"TRUE"}});
    struct Case {
        const char* name;
        Kind kind;
        const char16_t* address;
        Call call;
        std::vector<Answer> answers;
        int result;
        Lines lines;
        Lines messages;
        std::optional<std::string> data;
        std::string ipAddress;
    };
    const Case cases[] = {
        {"IP discover call fails", Kind::IPAddress, u"127.0.0.5", Call::DiscoverIP, {{VESPER_GENERAL_ERROR}}, 1,
         {validIP, "Valid IP Address Passed.",
          "ERROR: Network IP 127.0.0.5 not discovered on the network. Vesper Error: 3", kBoxLine},
         {kIPNotFound}, accessError, ""},
        {"MAC discover call fails", Kind::MACAddress, u"02:00:7F:00:00:05", Call::DiscoverMAC,
         {{VESPER_DISCOVERY_IN_PROGRESS}}, 1,
         {validMAC, "ERROR: MAC Address 02:00:7F:00:00:05 not discovered on the network. Vesper Error: 18", kBoxLine},
         {"MAC Address not found on network."}, accessError, "unchanged"},
        {"device count unreadable", Kind::IPAddress, u"127.0.0.5", Call::GetNumDiscoveredDevices,
         {{VESPER_GENERAL_ERROR, 1}}, 1,
         {validIP, "Valid IP Address Passed.",
          "ERROR : Unable to get number of discovered devices. Vesper_getNumDiscoveredDevices call failed."},
         {}, std::nullopt, ""},
        {"model name unreadable", Kind::MACAddress, u"02:00:7F:00:00:05", Call::GetModelName,
         {{VESPER_INDEX_OUT_OF_RANGE}}, 1,
         {validMAC, "Success MACAddress Found.", "ERROR : Model Name Access Failed."}, {}, std::nullopt, "unchanged"},
        {"host's IP address without buffer", Kind::HostName, u"scanner.office.example", Call::GetIPAddress,
         {{VESPER_BUFFER_TOO_SMALL, -1}}, 1,
         {validHost, "Success Hostname Found.", "Model Name Access Successful.", kModelLine,
          "Memory allocation error --> psIPAddress == NULL."},
         {}, DataFileBytes({{u"PrinterModelName", u"Norvik Kelvane KV4250 MFP"}}), ""},
        {"MAC's IP address without buffer", Kind::MACAddress, u"02:00:7F:00:00:05", Call::GetIPAddress,
         {{VESPER_BUFFER_TOO_SMALL, -1}}, 0,
         {validMAC, "Success MACAddress Found.", "Model Name Access Successful.", kModelLine,
          "Memory allocation error --> psMACAddress == NULL."},
         {}, found, ""},
        {"IP address longer than first told", Kind::HostName, u"scanner.office.example", Call::GetIPAddress,
         {{VESPER_BUFFER_TOO_SMALL, 4}}, 0,
         {validHost, "Success Hostname Found.", "Model Name Access Successful.", kModelLine}, {}, found,
         "127.0.0.5"},
        // asked once more, not a third time: the text that is still too long stays empty
        {"IP address that grew twice", Kind::HostName, u"scanner.office.example", Call::GetIPAddress,
         {{VESPER_BUFFER_TOO_SMALL, 2}, {VESPER_BUFFER_TOO_SMALL, 4}}, 0,
         {validHost, "Success Hostname Found.", "Model Name Access Successful.", kModelLine}, {}, found, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(DataFilePath());
        boxes.shown.clear();
        log.emplace();
        discovery.Script(c.call, c.answers);
        CWriteXML data;
        CString ipAddress = u"unchanged";
        EXPECT_EQ(c.result, Check(c.kind, c.address, data, ipAddress));
        EXPECT_EQ(c.lines, log->Lines());
        EXPECT_EQ(c.messages, Messages());
        data.CreateDataFile();
        if (c.data) {
            EXPECT_EQ(*c.data, FileBytes(DataFilePath()));
        } else {
            EXPECT_FALSE(std::filesystem::exists(DataFilePath()));
        }
        if (c.kind != Kind::IPAddress) {
            EXPECT_EQ(c.ipAddress, ipAddress.ToUtf8());
        }
    }
}

// Printers that answer SNMP v1 only are found by every check; a host name may hold "_".
TEST_F(AddressCheckTest, EveryCheckFindsAV1OnlyDevice)
{
    std::string error;
    ASSERT_TRUE(UsePrivateHostsFile("127.0.0.5 scan_05.office.example\n", error)) << error;
    SnmpAgent agent;
    auto device = TestDevice(5);
    device.versions = simdevice::SnmpVersions::V1Only;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {device}));

    const std::pair<Kind, const char16_t*> checks[] = {
        {Kind::IPAddress, u"127.0.0.5"}, {Kind::HostName, u"scan_05.office.example"},
        {Kind::MACAddress, u"02:00:7F:00:00:05"}};
    for (auto [kind, address] : checks) {
        SCOPED_TRACE(CString(address).ToUtf8());
        state.modelName.Empty();
        CWriteXML data;
        CString ipAddress;
        EXPECT_EQ(0, Check(kind, address, data, ipAddress));
        EXPECT_EQ(kSupportedModel, state.modelName.ToUtf8());
        if (kind != Kind::IPAddress) {
            EXPECT_EQ("127.0.0.5", ipAddress.ToUtf8());
        }
    }
    EXPECT_TRUE(sleeper.waits.empty());
    EXPECT_TRUE(boxes.shown.empty());
}

// A model name cannot split its log line: control characters are written as escapes.
TEST_F(AddressCheckTest, ModelNameWithALineBreakStaysOnItsLine)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5, "Kelvane\nIP Validated Successfully\r\t")}));
    EXPECT_EQ(0, check.ValidateIPAddress(u"127.0.0.5", 0));
    EXPECT_EQ((Lines{"Vesper_isValidIPAddress(127.0.0.5) returns 0", "Valid IP Address Passed.",
                     "127.0.0.5 Network IP Found.", "Model Name Access Successful.",
                     "Model Name Obtained from Printer :Kelvane\\nIP Validated Successfully\\r\\t"}),
              log->Lines());
    EXPECT_EQ("Kelvane\nIP Validated Successfully\r\t", state.modelName.ToUtf8());
}
