// Printers that announce themselves over DNS-SD, found beside the SNMP answers: the search and its
// device list file, the address checks, hostile TXT records and a machine without avahi-daemon.
#include "integration/discovery/NetworkFixture.h"
#include "integration/discovery/PrivateAvahi.h"
#include "network/AddressCheck.h"
#include "network/DeviceListFile.h"
#include "network/DeviceQueries.h"
#include "vesper/vesperextensions.h"

#include <algorithm>

using namespace discoverytest;
using simdevice::SnmpAgent;

namespace {

using Lines = std::vector<std::string>;

struct Listed {
    std::string ip, model, host, mac;
    int foundBy;
    friend bool operator==(const Listed&, const Listed&) = default;
};

std::string Text(int (*query)(int, char*, int, int*), int index)
{
    int length = 0;
    query(index, nullptr, 0, &length);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    EXPECT_EQ(VESPER_SUCCESS, query(index, buffer.data(), length, &length));
    return buffer.data();
}

// The service's list after the last discovery call.
std::vector<Listed> ServiceList()
{
    std::vector<Listed> devices;
    int count = 0;
    EXPECT_EQ(VESPER_SUCCESS, Vesper_getNumDiscoveredDevices(&count));
    for (int i = 0; i < count; ++i) {
        int foundBy = 0;
        EXPECT_EQ(VESPER_SUCCESS, Vesper_getFoundBy(i, &foundBy));
        devices.push_back({Text(Vesper_getIPAddress, i), Text(Vesper_getModelName, i), Text(Vesper_getHostName, i),
                           Text(Vesper_getMACAddress, i), foundBy});
    }
    return devices;
}

constexpr int kSnmp = VESPER_FOUND_BY_SNMP;
constexpr int kDnsSd = VESPER_FOUND_BY_DNS_SD;
constexpr const char* kOtherModel = "Norvik Kelvane KL3100 MFP";

class DnsSdSearchTest : public NetworkFixture {
protected:
    void SetUp() override
    {
        NetworkFixture::SetUp();
        // Long enough for the private daemon to answer from its cache beside the SNMP probe.
        setenv("VESPER_TIMEOUT_MS", "150", 1);
        setenv("VESPER_QUIET_MS", "150", 1);
        std::string error;
        ASSERT_TRUE(avahi.StartBus(error)) << error;
        ASSERT_TRUE(avahi.StartDaemon(error)) << error;
    }

    // Device n announced as mfpN.local with one service of this type and TXT record.
    void Announce(int n, const char* type, std::vector<std::string> txt)
    {
        const std::string host = "mfp" + std::to_string(n) + ".local";
        ASSERT_TRUE(avahi.PublishHost(host, "127.0.0." + std::to_string(n)));
        ASSERT_TRUE(avahi.PublishService("Printer " + std::to_string(n) + type, type, host, txt));
    }
    void WaitForAnnouncements()
    {
        std::string error;
        ASSERT_TRUE(avahi.WaitUntilAnnounced(error)) << error;
    }

    DiscoveryRecord Search()
    {
        DiscoveryRecord record{u"Kelvane", 0};
        StartDiscovery();
        SaveDiscoveredDevices(record, state);
        return record;
    }

    std::u16string DeviceListText()
    {
        const std::string bytes = FileBytes(DeviceListPath());
        std::u16string text;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i])
                                          | static_cast<unsigned char>(bytes[i + 1]) << 8);
        return text;
    }

    PrivateAvahi avahi;
};

} // namespace

// One SNMP-only, one DNS-SD-only and one dual device, and one announced outside the scope.
TEST_F(DnsSdSearchTest, SearchMergesBothAnswersPerAddressInsideTheScope)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5), TestDevice(7)}));
    ASSERT_NO_FATAL_FAILURE(Announce(6, "_uscan._tcp", {"ty=" + std::string(kOtherModel), "pdl=application/pdf"}));
    ASSERT_NO_FATAL_FAILURE(Announce(7, "_ipp._tcp", {"ty=Kelvane by another name"}));
    ASSERT_NO_FATAL_FAILURE(Announce(60, "_printer._tcp", {"ty=" + std::string(kSupportedModel)}));
    ASSERT_NO_FATAL_FAILURE(WaitForAnnouncements());

    ASSERT_EQ(3, Search().listedCount);
    EXPECT_EQ(DeviceListBytes(u"\nvar deviceCount=3;\n"
                              u"\nvar ModelName = new Array(deviceCount);\n"
                              u"\nvar IPAddress = new Array(deviceCount);\n"
                              u"\nvar MACAddress = new Array(deviceCount);\n"
                              u"\nvar HostName = new Array(deviceCount);\n"
                              u"\nModelName[0]=\"Norvik Kelvane KV4250 MFP\";\n"
                              u"IPAddress[0]=\"127.0.0.5\";\n"
                              u"MACAddress[0]=\"02:00:7F:00:00:05\";\n"
                              u"HostName[0]=\"kelvane-5\";\n"
                              u"\nModelName[1]=\"Norvik Kelvane KL3100 MFP\";\n"
                              u"IPAddress[1]=\"127.0.0.6\";\n"
                              u"MACAddress[1]=\"\";\n"
                              u"HostName[1]=\"mfp6.local\";\n"
                              u"\nModelName[2]=\"Norvik Kelvane KV4250 MFP\";\n"
                              u"IPAddress[2]=\"127.0.0.7\";\n"
                              u"MACAddress[2]=\"02:00:7F:00:00:07\";\n"
                              u"HostName[2]=\"kelvane-7\";\n"),
              FileBytes(DeviceListPath()));
    EXPECT_EQ((std::vector<Listed>{{"127.0.0.5", kSupportedModel, "kelvane-5", TestDevice(5).macAddress, kSnmp},
                                   {"127.0.0.6", kOtherModel, "mfp6.local", "", kDnsSd},
                                   {"127.0.0.7", kSupportedModel, "kelvane-7", TestDevice(7).macAddress, kSnmp | kDnsSd}}),
              ServiceList());

    setenv("VESPER_DNS_SD", "off", 1);
    ASSERT_EQ(VESPER_SUCCESS, Vesper_startDiscoveringDevices(0, 0, 0, 1, 3, 4, 32));
    EXPECT_EQ((std::vector<Listed>{{"127.0.0.5", kSupportedModel, "kelvane-5", TestDevice(5).macAddress, kSnmp},
                                   {"127.0.0.7", kSupportedModel, "kelvane-7", TestDevice(7).macAddress, kSnmp}}),
              ServiceList());
}

// The Welcome page's check by IP address and by the announced host name.
TEST_F(DnsSdSearchTest, AddressChecksFindAPrinterWithSnmpSwitchedOff)
{
    ASSERT_NO_FATAL_FAILURE(Announce(6, "_ipps._tcp", {"ty=" + std::string(kOtherModel)}));
    ASSERT_NO_FATAL_FAILURE(WaitForAnnouncements());

    CAddressCheck check(state, dataFile);
    EXPECT_EQ(0, check.ValidateIPAddress(u"127.0.0.6", 0));
    EXPECT_EQ(kOtherModel, state.modelName.ToUtf8());
    CString ipAddress;
    EXPECT_EQ(0, check.ValidateHostName(u"mfp6.local", ipAddress, 0));
    EXPECT_EQ(u"127.0.0.6", ipAddress);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(sleeper.waits.empty());

    // An address that nothing announces is still not found.
    EXPECT_EQ(1, check.ValidateIPAddress(u"127.0.0.8", 0));
    EXPECT_EQ((std::vector<std::string>{"IP Address not found on network."}), Messages());
}

// TXT records are the device's own texts: they reach the list and the log as SNMP's do.
TEST_F(DnsSdSearchTest, HostileTxtRecordsStayTexts)
{
    const std::string hostile = std::string(kSupportedModel) + " \"</script><script>alert(1)</script>\\ ' <!--\r\x1b";
    const std::string overLong = "Norvik " + std::string(240, 'K');
    ASSERT_NO_FATAL_FAILURE(Announce(11, "_ipp._tcp", {"ty=" + hostile}));
    ASSERT_NO_FATAL_FAILURE(Announce(12, "_ipp._tcp", {"ty=" + overLong}));
    ASSERT_NO_FATAL_FAILURE(Announce(13, "_ipp._tcp", {"note=front desk", "ty="}));
    ASSERT_NO_FATAL_FAILURE(Announce(14, "_ipp._tcp", {"product=(" + std::string(kOtherModel) + ")"}));
    ASSERT_NO_FATAL_FAILURE(Announce(15, "_pdl-datastream._tcp", {"usb_MFG=Norvik", "usb_MDL=KV4250"}));
    ASSERT_NO_FATAL_FAILURE(WaitForAnnouncements());

    ASSERT_EQ(3, Search().listedCount);  // hostile (it begins as a supported model does), product and usb_MDL
    const std::u16string text = DeviceListText();
    EXPECT_EQ(std::u16string::npos, text.find(u'<'));
    EXPECT_EQ(std::u16string::npos, text.find(u'\x1b'));
    EXPECT_NE(std::u16string::npos, text.find(u"IPAddress[0]=\"127.0.0.11\";"));
    const Lines lines = log->Lines();
    const std::string loggedHostile =
        std::string(kSupportedModel) + " \"</script><script>alert(1)</script>\\ ' <!--\\r\\x1b";
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(),
                                     "GetSupportedFeatures() for " + loggedHostile
                                         + " with IP :127.0.0.11 returned SCAN_TO_FOLDER"));

    EXPECT_EQ((std::vector<Listed>{{"127.0.0.11", hostile, "mfp11.local", "", kDnsSd},
                                   {"127.0.0.12", overLong, "mfp12.local", "", kDnsSd},
                                   {"127.0.0.13", "", "mfp13.local", "", kDnsSd},
                                   {"127.0.0.14", kOtherModel, "mfp14.local", "", kDnsSd},
                                   {"127.0.0.15", "KV4250", "mfp15.local", "", kDnsSd}}),
              ServiceList());
}

// A daemon that stopped: the search is SNMP's, and the log says once why DNS-SD is missing.
TEST_F(DnsSdSearchTest, WithoutAvahiDaemonTheSearchGoesOnOverSnmpAndSaysSoOnce)
{
    avahi.StopDaemon();
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5)}));
    const std::string notice = "Vesper: DNS-SD is not searched: avahi-daemon does not answer on the system D-Bus "
                               "(Daemon not running). The search goes on over SNMP alone, so printers that have SNMP "
                               "switched off are not found; install and start avahi-daemon (apt install avahi-daemon; "
                               "systemctl start avahi-daemon) to find them.";

    // A device that answers over SNMP is checked without asking DNS-SD at all.
    CAddressCheck check(state, dataFile);
    EXPECT_EQ(0, check.ValidateIPAddress(u"127.0.0.5", 0));
    Lines lines = log->Lines();
    EXPECT_EQ(0, std::count(lines.begin(), lines.end(), notice));

    EXPECT_EQ(1, Search().listedCount);
    EXPECT_EQ(1, Search().listedCount);
    lines = log->Lines();
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), notice));
    EXPECT_EQ((std::vector<Listed>{{"127.0.0.5", kSupportedModel, "kelvane-5", TestDevice(5).macAddress, kSnmp}}),
              ServiceList());
}
