#include "DeviceTest.h"
#include "library/device/AcceptedExchange.h"
#include "library/device/Commands.h"
#include "library/device/ReplySink.h"
#include "library/device/Transport.h"
#include "tools/simdevice/CannedPages.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <tuple>
#include <sys/socket.h>
#include <unistd.h>

using simdevice::Profile;

namespace {

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) { setenv(name, value, 1); }
    ~ScopedEnv() { unsetenv(m_name); }

private:
    const char* m_name;
};

// A listener on 127.0.0.1 whose accept queue is full: the kernel drops every further SYN, so a
// connection attempt is neither taken nor refused and only the connect time-out ends it.
class FullListener {
public:
    FullListener()
    {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(m_listener, 0) != 0
            || getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
        // Connections complete while the queue has room; the first that stays pending shows it is full.
        for (int i = 0; i < 8 && !m_full; ++i) {
            int client = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            m_clients.push_back(client);
            connect(client, reinterpret_cast<sockaddr*>(&address), length);
            pollfd connected{client, POLLOUT, 0};
            m_full = poll(&connected, 1, 200) == 0;
        }
    }
    ~FullListener()
    {
        for (int client : m_clients)
            close(client);
        close(m_listener);
    }
    bool Full() const { return m_full; }
    std::string Address() const { return "127.0.0.1:" + std::to_string(m_port); }

private:
    int m_listener = -1;
    int m_port = 0;
    bool m_full = false;
    std::vector<int> m_clients;
};

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

} // namespace

TEST_F(DeviceTest, PostsThePayloadAsTheFormFieldAndLogsTheExchange)
{
    CGetNumberOfFolders command;
    ASSERT_EQ(command.ExecuteCommand(address), 1);
    EXPECT_EQ(command.nHttpStatus, 200);

    auto requests = device.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, kDevicePath);
    EXPECT_EQ(requests[0].fields, (std::vector<std::string>{"ip_address", "port", "xml_request"}));
    EXPECT_EQ(requests[0].ipAddress, device.Address());
    EXPECT_EQ(requests[0].port, "");
    EXPECT_EQ(requests[0].xmlRequest, command.csPayload.ToUtf8());
    EXPECT_EQ(requests[0].xmlContentType, "text/plain");

    std::string url = "https://" + device.Address() + kDevicePath;
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                               "",
                               "Execute GetNumberOfFolders",
                               "  Payload (" + std::to_string(command.csPayload.GetLength()) + ")|"
                                   + command.csPayload.ToUtf8() + "|",
                               "Sending to " + url,
                               "Received (" + std::to_string(command.csResponse.GetLength()) + ")|"
                                   + command.csResponse.ToUtf8() + "|",
                           }));
    EXPECT_GE(command.GetResponse().Find(u"DbNumRecs=\"0\""), 0);
}

TEST_F(DeviceTest, ASecondExchangeAppendsItsReply)
{
    CIsValidMfp command;
    ASSERT_EQ(command.ExecuteCommand(address), 1);
    CString first = command.GetResponse();
    ASSERT_EQ(command.ExecuteCommand(address), 1);
    EXPECT_EQ(command.GetResponse(), first + first);
}

TEST_F(DeviceTest, ErrorAndLogInPagesAreRepliesWithTheirStatusKeptBeside)
{
    for (auto [profile, status, page] : {std::tuple{Profile::HttpError, 500, simdevice::ServerErrorPage()},
                                         std::tuple{Profile::PasswordProtected, 401, simdevice::LogInPage()}}) {
        StartDevice(profile);
        CIsValidMfp command;
        EXPECT_EQ(command.ExecuteCommand(address), 1);
        EXPECT_EQ(command.nHttpStatus, status);
        EXPECT_FALSE(command.HttpStatusIsSuccess());
        EXPECT_EQ(command.GetResponse(), CString::FromUtf8(page));
    }
}

// Commands that change the device count only a 2xx answer as done.
TEST_F(DeviceTest, AnAcceptedExchangeIsOneWithATwoHundredStatus)
{
    CIsValidMfp accepted;
    EXPECT_EQ(ExecuteAccepted(accepted, address, u"Caller"), 1);

    StartDevice(Profile::HttpError);
    LogCapture refusedLog;
    CIsValidMfp refused;
    EXPECT_EQ(ExecuteAccepted(refused, address, u"Caller"), 0);
    EXPECT_TRUE(refusedLog.HasLine("ERROR- Caller: IsValidMfp returned HTTP status 500"));
}

TEST_F(DeviceTest, ARefusedConnectionFailsWithCurlsCodeAndText)
{
    CIsValidMfp command;
    command.nHttpStatus = 200;
    EXPECT_EQ(command.ExecuteCommand(kNoDevice), 0);
    EXPECT_EQ(command.nHttpStatus, 0);
    EXPECT_TRUE(command.GetResponse().IsEmpty());
    EXPECT_TRUE(log.Contains("Test_cURL(): curl_easy_perform() returned 7, error string= "));
    EXPECT_TRUE(log.HasLine("Received (0)||"));
}

TEST_F(DeviceTest, ADeviceThatNeverAnswersTimesOut)
{
    StartDevice(Profile::NeverReplies);
    ScopedEnv total("TARROW_DEVICE_TIMEOUT_MS", "300");
    auto begin = std::chrono::steady_clock::now();
    CIsValidMfp command;
    EXPECT_EQ(command.ExecuteCommand(address), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
    EXPECT_TRUE(log.Contains("Test_cURL(): curl_easy_perform() returned 28, error string= Operation timed out after "));
}

TEST_F(DeviceTest, AConnectionThatIsNeverAcceptedEndsAtTheConnectTimeout)
{
    FullListener listener;
    ASSERT_TRUE(listener.Full());
    ScopedEnv connect("TARROW_DEVICE_CONNECT_TIMEOUT_MS", "300");
    ScopedEnv total("TARROW_DEVICE_TIMEOUT_MS", "6000");
    auto begin = std::chrono::steady_clock::now();
    CIsValidMfp command;
    EXPECT_EQ(command.ExecuteCommand(CString::FromUtf8(listener.Address())), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(3));
    auto failure = LinesFrom(log, "Sending to https://" + listener.Address() + kDevicePath, 2);
    ASSERT_EQ(failure.size(), 2u);
    // libcurl words a connect time-out in one of two ways, by where the wait ended:
    // "Connection timeout after 300 ms" or "Failed to connect to ... after 301 ms: Timeout was reached".
    const std::string prefix = "Test_cURL(): curl_easy_perform() returned 28, error string= ";
    ASSERT_TRUE(failure[1].starts_with(prefix)) << failure[1];
    const std::string error = failure[1].substr(prefix.size());
    EXPECT_TRUE(error.starts_with("Connection timeout after ")
                || (error.starts_with("Failed to connect to 127.0.0.1 port " + listener.Address().substr(10) + " after ")
                    && error.ends_with(" ms: Timeout was reached")))
        << error;
}

TEST(TransportTimeouts, DefaultsAreGenerousAndTheEnvironmentOverridesThem)
{
    unsetenv("TARROW_DEVICE_CONNECT_TIMEOUT_MS");
    unsetenv("TARROW_DEVICE_TIMEOUT_MS");
    EXPECT_EQ(CurrentTransportTimeouts().connectMilliseconds, 20'000);
    EXPECT_EQ(CurrentTransportTimeouts().totalMilliseconds, 120'000);
    setenv("TARROW_DEVICE_TIMEOUT_MS", "1500", 1);
    setenv("TARROW_DEVICE_CONNECT_TIMEOUT_MS", "junk", 1);
    EXPECT_EQ(CurrentTransportTimeouts().totalMilliseconds, 1500);
    EXPECT_EQ(CurrentTransportTimeouts().connectMilliseconds, 20'000);
    // The smallest time-out is one millisecond; zero, negative and trailing text fall back.
    setenv("TARROW_DEVICE_TIMEOUT_MS", "1", 1);
    setenv("TARROW_DEVICE_CONNECT_TIMEOUT_MS", "0", 1);
    EXPECT_EQ(CurrentTransportTimeouts().totalMilliseconds, 1);
    EXPECT_EQ(CurrentTransportTimeouts().connectMilliseconds, 20'000);
    setenv("TARROW_DEVICE_TIMEOUT_MS", "-5", 1);
    setenv("TARROW_DEVICE_CONNECT_TIMEOUT_MS", "30ms", 1);
    EXPECT_EQ(CurrentTransportTimeouts().totalMilliseconds, 120'000);
    EXPECT_EQ(CurrentTransportTimeouts().connectMilliseconds, 20'000);
    unsetenv("TARROW_DEVICE_CONNECT_TIMEOUT_MS");
    unsetenv("TARROW_DEVICE_TIMEOUT_MS");
}

// The device is on the local network: a proxy in the environment must not divert the exchange.
TEST_F(DeviceTest, AProxyInTheEnvironmentIsPassedBy)
{
    ScopedEnv https("https_proxy", "http://127.0.0.1:9");
    ScopedEnv all("ALL_PROXY", "http://127.0.0.1:9");
    CIsValidMfp command;
    EXPECT_EQ(command.ExecuteCommand(address), 1);
    EXPECT_NE(command.GetResponse().ToUtf8().find("MFP_"), std::string::npos) << command.GetResponse().ToUtf8();
}

TEST_F(DeviceTest, AReplyPieceIsTakenUpToItsFirstZeroByte)
{
    StartDevice(Profile::Garbled);
    CIsValidMfp command;
    EXPECT_EQ(command.ExecuteCommand(address), 1);
    // "\xff\xfe<Mfp\xc3\x28Comm" before the zero byte; the bytes that are no UTF-8 become U+FFFD.
    const CString taken(u"\uFFFD\uFFFD<Mfp\uFFFD(Comm");
    EXPECT_EQ(command.GetResponse(), taken);
    EXPECT_TRUE(log.HasLine("Received (12)|" + taken.ToUtf8() + "|"));
}

TEST_F(DeviceTest, AReplyThatNeverEndsStopsAtTheSizeLimit)
{
    StartDevice(Profile::Endless);
    CGetNumberOfFolders command;
    EXPECT_EQ(command.ExecuteCommand(address), 0);
    EXPECT_EQ(command.nHttpStatus, 200);
    // The pieces that fitted are kept: libcurl hands over at most 16 KiB at a time.
    const int kept = command.csResponse.GetLength();
    EXPECT_LE(kept, static_cast<int>(kMaxReplyBytes));
    EXPECT_GT(kept, static_cast<int>(kMaxReplyBytes) - 16 * 1024);
    EXPECT_EQ(LinesFrom(log, "Sending to https://" + device.Address() + kDevicePath, 3),
              (std::vector<std::string>{
                  "Sending to https://" + device.Address() + kDevicePath,
                  "Test_cURL(): curl_easy_perform() returned 23, error string= Failure writing output to destination",
                  "Received (" + std::to_string(kept) + ")|" + command.csResponse.Left(700).ToUtf8() + "|",
              }));
}

TEST_F(DeviceTest, AnAddressThatIsNoHostNameIsRefusedWithoutTraffic)
{
    const std::string at = device.Address();
    const std::u16string wide = address.str();
    const struct {
        std::u16string address;
        std::string logged;
    } cases[] = {
        {u"evil@" + wide, "evil@" + at},
        {wide + u"/../../other?", at + "/../../other?"},
        {wide + u"?x=1", at + "?x=1"},
        {wide + u"#top", at + "#top"},
        {u" " + wide, " " + at},
        {wide + u"\r\nSending to https://127.0.0.9/", at + "\\r\\nSending to https://127.0.0.9/"},
        {wide + std::u16string(1, u'\0') + u"x", at + "\\x00x"},
        {wide + u":1", at + ":1"},
        {u"127.0.0.1:0", "127.0.0.1:0"},
        {u"[::1", "[::1"},
        {u"", ""},
    };
    for (const auto& each : cases) {
        LogCapture one;
        CIsValidMfp command;
        EXPECT_EQ(command.ExecuteCommand(CString(each.address)), 0) << each.logged;
        EXPECT_EQ(one.Lines(), (std::vector<std::string>{
                                   "",
                                   "Execute IsValidMfp",
                                   "  Payload (" + std::to_string(command.csPayload.GetLength()) + ")|"
                                       + command.csPayload.ToUtf8() + "|",
                                   "ERROR- Test_cURL(): invalid device address " + Quoted(each.logged),
                                   "Received (0)||",
                               }));
    }
    EXPECT_TRUE(device.Requests().empty());
}
