// The web server itself: addresses, recorded requests, and the profiles that change how it answers.
#include "integration/simdevice/DevicePost.h"
#include "integration/simdevice/LibraryPayloads.h"
#include "support/WaitFor.h"
#include "tools/simdevice/SimulatedDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

using simdevice::Profile;
using simdevice::SimulatedDevice;
using Clock = std::chrono::steady_clock;

TEST(WebServer, ListensOnlyOnLoopbackAndNamesItsAddressAsTheLibraryNeedsIt)
{
    SimulatedDevice device;
    EXPECT_FALSE(device.Start("10.1.2.3", 0));
    EXPECT_FALSE(device.Start("localhost", 0));
    EXPECT_EQ(device.Address(), "");

    ASSERT_TRUE(device.Start("127.0.0.77", 443));
    EXPECT_EQ(device.Address(), "127.0.0.77");
    EXPECT_FALSE(device.Start());
    device.Stop();

    ASSERT_TRUE(device.Start("127.0.0.78", 0));
    EXPECT_GT(device.Port(), 0);
    EXPECT_EQ(device.Address(), "127.0.0.78:" + std::to_string(device.Port()));
    EXPECT_EQ(PostXml(device.Address(), payloads::kIsValidMfp).code, CURLE_OK);
    device.Stop();
    device.Stop();
    EXPECT_EQ(device.Port(), 0);
}

TEST(WebServer, RecordsEveryRequestByteForByte)
{
    SimulatedDevice device(Profile::PasswordProtected);
    ASSERT_TRUE(device.Start());
    const std::string xml = "<MfpCommands>B\xc3\xbcro \"&<x</MfpCommands>\n";
    PostXml(device.Address(), xml);
    PostXml(device.Address(), payloads::kIsValidMfp, 5000, "/elsewhere");

    const auto requests = device.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/norvik/device/this.wjadsdsmp");
    EXPECT_EQ(requests[0].ipAddress, device.Address());
    EXPECT_EQ(requests[0].port, "");
    EXPECT_EQ(requests[0].xmlRequest, xml);
    EXPECT_EQ(requests[0].xmlContentType, "text/plain");
    EXPECT_EQ(requests[1].target, "/elsewhere");
    device.ClearRequests();
    EXPECT_TRUE(device.Requests().empty());
}

TEST(WebServer, FailureProfilesAnswerEveryRequestAlike)
{
    SimulatedDevice device(Profile::PasswordProtected);
    ASSERT_TRUE(device.Start());
    for (const std::string& request : {payloads::kIsValidMfp, payloads::kGetMfpRecord}) {
        const PostResult result = PostXml(device.Address(), request);
        EXPECT_NE(Between(result.body, "<BODY>", "</BODY>").find("Unable to authorize"), std::string::npos);
    }

    device.SetProfile(Profile::HttpError);
    const PostResult error = PostXml(device.Address(), payloads::kIsValidMfp);
    EXPECT_EQ(error.code, CURLE_OK);
    EXPECT_EQ(error.status, 500);
    EXPECT_NE(error.body.find("<HTML>"), std::string::npos);

    device.SetProfile(Profile::Garbled);
    const std::string garbled = PostXml(device.Address(), payloads::kIsValidMfp).body;
    EXPECT_NE(garbled.find('\0'), std::string::npos);
    EXPECT_NE(garbled.find('\xff'), std::string::npos);
    EXPECT_EQ(garbled.find("MfpAccessReturnCode"), std::string::npos);

    // Back to answering commands, still the unmanaged model it was before.
    device.SetProfile(Profile::UnmanagedNoFeature);
    device.SetProfile(Profile::Garbled);
    device.SetProfile(Profile::ManagedRefused);
    EXPECT_NE(PostXml(device.Address(), payloads::kIsValidMfp).body.find("MFP_ACCESS_DENIED"), std::string::npos);
}

TEST(WebServer, NeverRepliesHoldsRequestsAndStillStopsPromptly)
{
    SimulatedDevice device(Profile::NeverReplies);
    ASSERT_TRUE(device.Start());
    // A client that gives up first: its held reply is written to a closed connection later.
    EXPECT_EQ(PostXml(device.Address(), payloads::kIsValidMfp, 300).code, CURLE_OPERATION_TIMEDOUT);

    const std::string address = device.Address();
    auto waiting = std::async(std::launch::async, [&address] { return PostXml(address, payloads::kIsValidMfp, 20000); });
    ASSERT_TRUE(WaitFor([&device] { return device.Requests().size() >= 2; }));

    const auto stopStart = Clock::now();
    device.Stop();
    EXPECT_LT(Clock::now() - stopStart, std::chrono::seconds(2));
    ASSERT_EQ(waiting.wait_for(std::chrono::seconds(2)), std::future_status::ready);
    EXPECT_NE(waiting.get().status, 200);
}
