// Each command of the protocol, posted as the library posts it, gets the reply items its caller reads.
#include "integration/simdevice/DevicePost.h"
#include "integration/simdevice/LibraryPayloads.h"
#include "tools/simdevice/SimulatedDevice.h"

#include <gtest/gtest.h>

using simdevice::Folder;
using simdevice::Profile;
using simdevice::SimulatedDevice;

namespace {

std::string Licensed(const std::string& reply)
{
    return Between(reply, "<ListOfLicensedFeatures>", "</ListOfLicensedFeatures>");
}

} // namespace

TEST(CommandReplies, IsValidMfpReportsTheAccessStateOfManagedDevices)
{
    SimulatedDevice device(Profile::ManagedGranted);
    ASSERT_TRUE(device.Start());
    const PostResult granted = PostXml(device.Address(), payloads::kIsValidMfp);
    ASSERT_EQ(granted.code, CURLE_OK);
    EXPECT_EQ(granted.status, 200);
    EXPECT_NE(granted.body.find("MfpAccessReturnCode=\"MFP_ACCESS_SUCCESSFUL\""), std::string::npos) << granted.body;

    device.SetProfile(Profile::ManagedRefused);
    const std::string refused = PostXml(device.Address(), payloads::kIsValidMfp).body;
    EXPECT_NE(refused.find("MfpAccessReturnCode=\"MFP_ACCESS_DENIED\""), std::string::npos) << refused;
    EXPECT_EQ(device.ModelName(), "Norvik Kelvane KV4250 MFP");
}

TEST(CommandReplies, MfpRecordListsLicensedFeaturesPerProfile)
{
    SimulatedDevice device(Profile::UnmanagedScanToShare);
    ASSERT_TRUE(device.Start());
    std::string reply = PostXml(device.Address(), payloads::kGetMfpRecord).body;
    EXPECT_NE(reply.find("Norvik Kelvane KL3100 MFP"), std::string::npos) << reply;
    EXPECT_NE(Licensed(reply).find("SCAN_TO_SHARE"), std::string::npos) << reply;
    EXPECT_EQ(Licensed(reply).find("SCAN_TO_SIMPLE_FOLDER"), std::string::npos) << reply;

    device.SetProfile(Profile::UnmanagedSimpleFolder);
    reply = PostXml(device.Address(), payloads::kGetMfpRecord).body;
    EXPECT_EQ(Licensed(reply).find("SCAN_TO_SHARE"), std::string::npos) << reply;
    EXPECT_NE(Licensed(reply).find("SCAN_TO_SIMPLE_FOLDER"), std::string::npos) << reply;

    // Enabled features are listed after the licensed ones, outside their markers.
    device.SetProfile(Profile::UnmanagedNoFeature);
    device.SetModelName("Norvik Kelvane KL2050 MFP & <Co>");
    ASSERT_EQ(PostXml(device.Address(), payloads::kEnableSendToFolder).code, CURLE_OK);
    reply = PostXml(device.Address(), payloads::kGetMfpRecord).body;
    EXPECT_NE(reply.find("<ListOfLicensedFeatures></ListOfLicensedFeatures>"), std::string::npos) << reply;
    EXPECT_NE(reply.find("ModelName=\"Norvik Kelvane KL2050 MFP &amp; &lt;Co>\""), std::string::npos) << reply;
    EXPECT_NE(Between(reply, "<ListOfEnabledFeatures>", "</ListOfEnabledFeatures>").find("SCAN_TO_SHARE"),
              std::string::npos) << reply;
}

TEST(CommandReplies, EnableFolderSwitchesTheFeaturesOnAndOff)
{
    SimulatedDevice device;
    ASSERT_TRUE(device.Start());
    const std::string enabled = PostXml(device.Address(), payloads::kEnableSendToFolder).body;
    EXPECT_NE(enabled.find("ReturnCode=\"SUCCESS\""), std::string::npos) << enabled;
    EXPECT_EQ(device.EnabledFeatures(), (std::vector<std::string>{"SCAN_TO_SHARE", "SCAN_TO_SIMPLE_FOLDER"}));

    PostXml(device.Address(), payloads::kDisableSendToFolder);
    EXPECT_TRUE(device.EnabledFeatures().empty());
}

TEST(CommandReplies, FolderPathCheckNamesAnUnreachableHostAndTakesATestsValidator)
{
    SimulatedDevice device;
    ASSERT_TRUE(device.Start());
    const auto check = [&](const std::string& host, const std::string& user, const std::string& password) {
        const std::string reply = PostXml(device.Address(), payloads::IsFolderPathValid(host, "Any", user, password)).body;
        return Between(reply, "FolderPathReturnCode=\"", "\"");
    };
    // The device signs in to the share before it answers (FolderPathCheckTest.cpp); a host that it
    // cannot name or reach fails before any SMB traffic, as a scan to it does.
    EXPECT_EQ(check("PC1", "anna", "pw"), "NT_STATUS_BAD_NETWORK_NAME");
    EXPECT_EQ(check("192.0.2.1", "anna", "pw"), "NT_STATUS_HOST_UNREACHABLE");

    Folder seen;
    device.SetFolderPathValidator([&seen](const Folder& folder) {
        seen = folder;
        return folder.userName == "bob";
    });
    EXPECT_EQ(check("PC1", "bob", ""), "ValidPath");
    EXPECT_EQ(seen.path, "\\\\PC1\\Any");
    EXPECT_EQ(seen.domain, "WORKGROUP");
    EXPECT_EQ(check("PC1", "anna", "pw"), "FOLDER_PATH_INVALID");
    device.SetFolderPathValidator({});
    EXPECT_EQ(check("PC1", "bob", ""), "NT_STATUS_BAD_NETWORK_NAME");

    // The library posts an empty request when it has no credentials.
    EXPECT_EQ(PostXml(device.Address(), "").body.find("ValidPath"), std::string::npos);
}

TEST(CommandReplies, UnknownOrBrokenRequestsGetAnErrorReply)
{
    SimulatedDevice device;
    ASSERT_TRUE(device.Start());
    for (const std::string request : {"", "<DbAddRec CommandID=\"999\"/>", "<Unknown CommandID=\"170\"/>",
                                      "<MfpCommands></MfpCommands>", "\xff\xfe<<not xml", "<DbGetFirstRec CommandID=\"132\"><Request DbNumRecs=\"x\"/></DbGetFirstRec>",
                                      "<EnableFolder CommandID=\"180\"><Request><MfpRecord><ListOfEnabledFeatures><\"A\"\"B\"/></ListOfEnabledFeatures></MfpRecord></Request></EnableFolder>"}) {
        const PostResult result = PostXml(device.Address(), request);
        EXPECT_EQ(result.code, CURLE_OK);
        EXPECT_EQ(result.status, 200);
        EXPECT_EQ(result.body.find("SUCCESS"), std::string::npos) << request << " -> " << result.body;
        EXPECT_NE(result.body.find("ReturnCode=\""), std::string::npos) << request << " -> " << result.body;
    }
    EXPECT_EQ(PostXml(device.Address(), payloads::kIsValidMfp, 5000, "/other").status, 404);
    EXPECT_NE(PostXml(device.Address(), payloads::kIsValidMfp).body.find("MFP_ACCESS_SUCCESSFUL"), std::string::npos);
}
