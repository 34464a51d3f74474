#include "CSharedFolder.h"

#include "common/log/LogEscape.h"
#include "library/LibraryLog.h"
#include "library/device/Commands.h"
#include "library/device/ReplyScanner.h"

namespace {

// Model codes as they occur in the model names the devices report ("Norvik Kelvane KV4250 MFP").
// Managed models grant access to the command protocol; unmanaged ones license a scan feature.
CStringList ManagedModelCodes()
{
    CStringList codes;
    for (const char16_t* code : {u"KV4250", u"KV4350", u"KV5200", u"KV5300", u"KV6100", u"KV7400",
                                 u"KM9050", u"KM9600"})
        codes.AddTail(code);
    return codes;
}

CStringList UnmanagedModelCodes()
{
    CStringList codes;
    for (const char16_t* code : {u"KL3100", u"KL3300", u"KL2050"})
        codes.AddTail(code);
    return codes;
}

bool MatchesAny(const CString& modelName, const CStringList& codes)
{
    for (const CString& code : codes)
        if (modelName.Find(code) >= 0)
            return true;
    return false;
}

const CString kLoginPageText = u"Unable to authorize";
const CString kBodyStart = u"<BODY>";
const CString kBodyEnd = u"</BODY>";
const CString kLicensedStart = u"<ListOfLicensedFeatures>";
const CString kLicensedEnd = u"</ListOfLicensedFeatures>";

} // namespace

Brede_SupportedFeatures CSharedFolder::GetSupportedFeatures(CString modelName, CString ipAddress, int queryDevice)
{
    Brede_SupportedFeatures managed = CheckManagedModel(modelName, ipAddress, queryDevice);
    if (managed != DEVICE_NOT_SUPPORTED)
        return managed;
    return CheckUnmanagedModel(modelName, ipAddress, queryDevice);
}

Brede_SupportedFeatures CSharedFolder::CheckManagedModel(const CString& modelName, const CString& ipAddress,
                                                         int queryDevice)
{
    if (!MatchesAny(modelName, ManagedModelCodes()))
        return DEVICE_NOT_SUPPORTED;
    return queryDevice ? IsValidMfp(ipAddress) : DEVICE_SUPPORTED;
}

Brede_SupportedFeatures CSharedFolder::CheckUnmanagedModel(const CString& modelName, const CString& ipAddress,
                                                           int queryDevice)
{
    if (!MatchesAny(modelName, UnmanagedModelCodes()))
        return DEVICE_NOT_SUPPORTED;
    return queryDevice ? IsScanFeatureAvailable(ipAddress) : DEVICE_SUPPORTED;
}

Brede_SupportedFeatures CSharedFolder::IsValidMfp(CString ipAddress)
{
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::IsValidMfp( " + EscapeForLog(ipAddress) + u")");

    CIsValidMfp cIsValidMfp;
    if (!cIsValidMfp.ExecuteCommand(ipAddress)) {
        log.Line(u"ERROR- CSharedFolder()::IsValidMfp() failed");
        return MANAGED_BLOCKED_BY_EWS;
    }
    CString response = cIsValidMfp.GetResponse();
    if (IsStringPresent(response, kLoginPageText, kBodyStart, kBodyEnd)) {
        log.Line(u"CSharedFolder()::IsValidMfp(): Returning EWS_PASSWORD_PROTECTED");
        log.BlankLine();
        return EWS_PASSWORD_PROTECTED;
    }
    CString accessCode;
    if (GetStringValue(response, u"MfpAccessReturnCode", accessCode, 0) == -1) {
        log.Line(u"ERROR- CSharedFolder()::IsValidMfp()- GetStringValue() returned -1");
    } else {
        log.Line(u"CSharedFolder()::IsValidMfp()- GetStringValue() returned " + EscapeForLog(accessCode));
        if (accessCode == u"MFP_ACCESS_SUCCESSFUL") {
            log.Line(u"CSharedFolder()::IsValidMfp(): Returning MANAGED_SCAN_TO_NETWORK");
            log.BlankLine();
            return MANAGED_SCAN_TO_NETWORK;
        }
    }
    log.Line(u"CSharedFolder()::IsValidMfp(): Returning MANAGED_BLOCKED_BY_EWS");
    log.BlankLine();
    return MANAGED_BLOCKED_BY_EWS;
}

Brede_SupportedFeatures CSharedFolder::IsScanFeatureAvailable(CString ipAddress)
{
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::IsScanFeatureAvailable( " + EscapeForLog(ipAddress) + u")");

    CGetMfpRecord cGetMfpRecord;
    if (!cGetMfpRecord.ExecuteCommand(ipAddress)) {
        log.Line(u"ERROR- CSharedFolder()::IsScanFeatureAvailable() failed");
        return UNMANAGED_NO_FW_SUPPORT;
    }
    CString response = cGetMfpRecord.GetResponse();
    auto logSearch = [&](const CString& text, const CString& start, const CString& end) {
        log.Line(u"CSharedFolder()::IsScanFeatureAvailable() call IsStringPresent( " + text + u", " + start
                 + u", " + end + u")");
    };

    logSearch(kLoginPageText, kBodyStart, kBodyEnd);
    if (IsStringPresent(response, kLoginPageText, kBodyStart, kBodyEnd)) {
        log.Line(u"CSharedFolder()::IsScanFeatureAvailable(): Returning EWS_PASSWORD_PROTECTED");
        log.BlankLine();
        return EWS_PASSWORD_PROTECTED;
    }
    for (const CString& feature : {CString(u"SCAN_TO_SHARE"), CString(u"SCAN_TO_SIMPLE_FOLDER")}) {
        logSearch(feature, kLicensedStart, kLicensedEnd);
        if (IsStringPresent(response, feature, kLicensedStart, kLicensedEnd)) {
            log.Line(u"CSharedFolder()::IsScanFeatureAvailable(): Returning UNMANAGED_SCAN_TO_DESKTOP");
            log.BlankLine();
            return UNMANAGED_SCAN_TO_DESKTOP;
        }
    }
    log.Line(u"CSharedFolder()::IsScanFeatureAvailable(): Returning UNMANAGED_NO_FW_SUPPORT");
    log.BlankLine();
    return UNMANAGED_NO_FW_SUPPORT;
}

int ConvertToBasePrinterName(CString& name)
{
    static constexpr std::u16string_view kFamily = u"Kelvane";
    int family = name.Find(kFamily);
    int mfp = name.Find(u"MFP");
    if (family < 0 || mfp < 0) {
        LibraryLog().Line(u"ConvertToBasePrinterName(): " + EscapeForLog(name) + u" is not a supported device.");
        name.Empty();
        return 0;
    }
    int start = family + static_cast<int>(kFamily.size()) + 1;
    int length = mfp - start - 1;
    name = length > 0 ? name.Mid(start, length) : CString();
    return 1;
}
