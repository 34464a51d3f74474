#include "DeviceTest.h"
#include "library/device/Commands.h"
#include "library/device/Transport.h"

#include <chrono>
#include <cstdlib>

using simdevice::Profile;

TEST_F(DeviceTest, PostsThePayloadAsTheFormFieldAndLogsTheExchange)
{
    CGetNumberOfFolders command;
    ASSERT_EQ(command.ExecuteCommand(address), 1);

    auto requests = device.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, kDevicePath);
    EXPECT_EQ(requests[0].ipAddress, device.Address());
    EXPECT_EQ(requests[0].port, "");
    EXPECT_EQ(requests[0].xmlRequest, command.csPayload.ToUtf8());
    EXPECT_EQ(requests[0].xmlContentType, "text/plain");

    std::string url = "https://" + device.Address() + kDevicePath;
    auto lines = log.Lines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "Execute GetNumberOfFolders");
    EXPECT_EQ(lines[2], "  Payload (" + std::to_string(command.csPayload.GetLength()) + ")|"
                            + command.csPayload.ToUtf8() + "|");
    EXPECT_EQ(lines[3], "Sending to " + url);
    EXPECT_EQ(lines[4], "Received (" + std::to_string(command.csResponse.GetLength()) + ")|"
                            + command.csResponse.ToUtf8() + "|");
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

TEST_F(DeviceTest, AnHttpErrorPageIsStillAReply)
{
    StartDevice(Profile::HttpError);
    CIsValidMfp command;
    EXPECT_EQ(command.ExecuteCommand(address), 1);
    EXPECT_FALSE(command.GetResponse().IsEmpty());
}

TEST_F(DeviceTest, ARefusedConnectionFailsWithCurlsCodeAndText)
{
    CIsValidMfp command;
    EXPECT_EQ(command.ExecuteCommand(kNoDevice), 0);
    EXPECT_TRUE(command.GetResponse().IsEmpty());
    EXPECT_TRUE(log.Contains("Test_cURL(): curl_easy_perform() returned 7, error string= "));
    EXPECT_TRUE(log.HasLine("Received (0)||"));
}

TEST_F(DeviceTest, ADeviceThatNeverAnswersTimesOut)
{
    StartDevice(Profile::NeverReplies);
    setenv("TARROW_DEVICE_TIMEOUT_MS", "300", 1);
    auto begin = std::chrono::steady_clock::now();
    CIsValidMfp command;
    EXPECT_EQ(command.ExecuteCommand(address), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
    EXPECT_TRUE(log.Contains("Test_cURL(): curl_easy_perform() returned 28, error string= "));
    unsetenv("TARROW_DEVICE_TIMEOUT_MS");
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
}

TEST_F(DeviceTest, AGarbledReplyIsTakenAsTextUpToItsFirstZeroByte)
{
    StartDevice(Profile::Garbled);
    CIsValidMfp command;
    EXPECT_EQ(command.ExecuteCommand(address), 1);
    EXPECT_EQ(command.GetResponse().Find(u'\0'), -1);
}
