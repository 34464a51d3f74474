#include "DeviceTest.h"
#include "library/service/CSharedFolder.h"

using simdevice::Profile;

namespace {
const CString kManaged = u"Norvik Kelvane KV4250 MFP";
const CString kUnmanaged = u"Norvik Kelvane KL3100 MFP";
} // namespace

TEST_F(DeviceTest, ManagedDeviceThatGrantsAccess)
{
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(kManaged, address, 1), MANAGED_SCAN_TO_NETWORK);
    EXPECT_TRUE(log.HasLine("CSharedFolder::IsValidMfp( " + device.Address() + ")"));
    EXPECT_TRUE(log.HasLine("CSharedFolder()::IsValidMfp()- GetStringValue() returned MFP_ACCESS_SUCCESSFUL"));
    EXPECT_TRUE(log.HasLine("CSharedFolder()::IsValidMfp(): Returning MANAGED_SCAN_TO_NETWORK"));
}

TEST_F(DeviceTest, ManagedDeviceThatRefusesOrCannotBeAsked)
{
    StartDevice(Profile::ManagedRefused);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(kManaged, address, 1), MANAGED_BLOCKED_BY_EWS);
    EXPECT_TRUE(log.HasLine("CSharedFolder()::IsValidMfp(): Returning MANAGED_BLOCKED_BY_EWS"));

    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(kManaged, kNoDevice, 1), MANAGED_BLOCKED_BY_EWS);
    EXPECT_TRUE(log.HasLine("ERROR- CSharedFolder()::IsValidMfp() failed"));

    StartDevice(Profile::HttpError);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(kManaged, address, 1), MANAGED_BLOCKED_BY_EWS);
    EXPECT_TRUE(log.HasLine("ERROR- CSharedFolder()::IsValidMfp()- GetStringValue() returned -1"));

    StartDevice(Profile::Garbled);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(kManaged, address, 1), MANAGED_BLOCKED_BY_EWS);
}

TEST_F(DeviceTest, UnmanagedDeviceByLicensedFeature)
{
    StartDevice(Profile::UnmanagedScanToShare);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(kUnmanaged, address, 1), UNMANAGED_SCAN_TO_DESKTOP);
    EXPECT_TRUE(log.HasLine("CSharedFolder()::IsScanFeatureAvailable() call IsStringPresent( Unable to authorize, "
                            "<BODY>, </BODY>)"));
    EXPECT_TRUE(log.HasLine("CSharedFolder()::IsScanFeatureAvailable() call IsStringPresent( SCAN_TO_SHARE, "
                            "<ListOfLicensedFeatures>, </ListOfLicensedFeatures>)"));

    StartDevice(Profile::UnmanagedSimpleFolder);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(kUnmanaged, address, 1), UNMANAGED_SCAN_TO_DESKTOP);

    StartDevice(Profile::UnmanagedNoFeature);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(kUnmanaged, address, 1), UNMANAGED_NO_FW_SUPPORT);
    EXPECT_TRUE(log.HasLine("CSharedFolder()::IsScanFeatureAvailable(): Returning UNMANAGED_NO_FW_SUPPORT"));

    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(kUnmanaged, kNoDevice, 1), UNMANAGED_NO_FW_SUPPORT);
    EXPECT_TRUE(log.HasLine("ERROR- CSharedFolder()::IsScanFeatureAvailable() failed"));
}

TEST_F(DeviceTest, PasswordProtectedWebServerForBothLists)
{
    StartDevice(Profile::PasswordProtected);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(kManaged, address, 1), EWS_PASSWORD_PROTECTED);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(kUnmanaged, address, 1), EWS_PASSWORD_PROTECTED);
    EXPECT_TRUE(log.HasLine("CSharedFolder()::IsValidMfp(): Returning EWS_PASSWORD_PROTECTED"));
    EXPECT_TRUE(log.HasLine("CSharedFolder()::IsScanFeatureAvailable(): Returning EWS_PASSWORD_PROTECTED"));
}

TEST_F(DeviceTest, NameWithCodesOfBothListsCountsAsManagedAndUnqueriedNamesSendNothing)
{
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(u"Norvik Kelvane KL3100 KV4250 MFP", address, 1),
              MANAGED_SCAN_TO_NETWORK);
    device.ClearRequests();
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(kManaged, address, 0), DEVICE_SUPPORTED);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(u"Other printer", address, 1), DEVICE_NOT_SUPPORTED);
    EXPECT_TRUE(device.Requests().empty());
}
