#include "Commands.h"

namespace {

CString EnableFolderPayload(const char16_t* enabledFeatures)
{
    return CString(u"<EnableFolder CommandID=\"180\">")
        + u"<Request><MfpRecord>"
        + enabledFeatures
        + u"</MfpRecord></Request></EnableFolder>";
}

} // namespace

CEnableSendToFolder::CEnableSendToFolder()
{
    csCommandName = u"EnableSendToFolder";
    CreatePayload();
}

int CEnableSendToFolder::CreatePayload()
{
    csPayload = EnableFolderPayload(
        u"<ListOfEnabledFeatures><\"SCAN_TO_SHARE\" \"SCAN_TO_SIMPLE_FOLDER\"/></ListOfEnabledFeatures>");
    return 1;
}

CDisableSendToFolder::CDisableSendToFolder()
{
    csCommandName = u"DisableSendToFolder";
    CreatePayload();
}

int CDisableSendToFolder::CreatePayload()
{
    csPayload = EnableFolderPayload(u"<ListOfEnabledFeatures></ListOfEnabledFeatures>");
    return 1;
}

CGetMfpRecord::CGetMfpRecord()
{
    csCommandName = u"GetMfpRecord";
    CreatePayload();
}

int CGetMfpRecord::CreatePayload()
{
    csPayload = CString(u"<MfpCommands>")
        + u"<GetMfpRecordFromDevice CommandID=\"156\">"
        + u"<Request IgnoreMfpOwnership=\"true\" LanguageID=\"255\" />"
        + u"</GetMfpRecordFromDevice>"
        + u"</MfpCommands>";
    return 1;
}

CIsValidMfp::CIsValidMfp()
{
    csCommandName = u"IsValidMfp";
    CreatePayload();
}

int CIsValidMfp::CreatePayload()
{
    csPayload = CString(u"<MfpCommands>")
        + u"<IsValidMfp CommandID=\"170\">"
        + u"<Request />"
        + u"</IsValidMfp>"
        + u"</MfpCommands>";
    return 1;
}
