#include "CSharedFolder.h"

#include "common/log/LogEscape.h"
#include "library/LibraryLog.h"
#include "library/device/AcceptedExchange.h"
#include "library/device/Commands.h"

namespace {

bool AnyBlank(const CString& ipAddress, const CString& hostName, const CString& shareName)
{
    return ipAddress.IsEmpty() || hostName.IsEmpty() || shareName.IsEmpty();
}

void LogBlankArguments()
{
    LibraryLog().Line(u"ERROR- ConfigureDevice(): MfpIPAddress, ShareHostName or ShareName is either NULL or blank.");
}

void SetOptions(FolderRecord& record, Brede_FileFormat fileFormat, Brede_ImageResolution resolution,
                Brede_ColorSetting colorSetting, Brede_FileSize fileSize)
{
    record.FileFormat = fileFormat;
    record.Resolution = resolution;
    record.ColorSetting = colorSetting;
    record.FileSize = fileSize;
}

} // namespace

Brede_ErrorCode CSharedFolder::ConfigureDevice(CString MfpIPAddress, CString ShareHostName, CString ShareName,
                                               Brede_FileFormat fileFormat, Brede_ImageResolution resolution,
                                               Brede_ColorSetting colorSetting, Brede_FileSize fileSize)
{
    FolderRecord record;
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::ConfigureDevice( " + EscapeForLog(MfpIPAddress) + u", " + EscapeForLog(ShareHostName)
             + u", " + EscapeForLog(ShareName) + u",,,,)");
    if (AnyBlank(MfpIPAddress, ShareHostName, ShareName)) {
        LogBlankArguments();
        return BREDE_FAILED;
    }
    record.SetShare(ShareHostName, ShareName);
    SetOptions(record, fileFormat, resolution, colorSetting, fileSize);
    int rc = SetupSendToFolder(MfpIPAddress, record);
    // The next name check must ask the device again rather than trust its earlier answer.
    m_csLastUniqueName.Empty();
    if (rc == 0)
        MarkSetupRegistered(ShareName);
    return rc == 0 ? BREDE_NO_ERROR : BREDE_FAILED;
}

Brede_ErrorCode CSharedFolder::ConfigureDevice(CString UserName, CString Password, CString NtDomain,
                                               CString MfpIPAddress, CString ShareHostName, CString ShareName,
                                               Brede_FileFormat fileFormat, Brede_ImageResolution resolution,
                                               Brede_ColorSetting colorSetting, Brede_FileSize fileSize)
{
    FolderRecord record;
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::ConfigureDevice( " + EscapeForLog(UserName) + u",***," + EscapeForLog(NtDomain) + u", "
             + EscapeForLog(MfpIPAddress) + u", " + EscapeForLog(ShareHostName) + u", " + EscapeForLog(ShareName)
             + u",,,,)");
    if (AnyBlank(MfpIPAddress, ShareHostName, ShareName)) {
        LogBlankArguments();
        return BREDE_FAILED;
    }
    record.SetShare(ShareHostName, ShareName);
    record.SetCredentials(UserName, Password, NtDomain);
    SetOptions(record, fileFormat, resolution, colorSetting, fileSize);
    int rc = SetupSendToFolder(MfpIPAddress, record);
    m_csLastUniqueName.Empty();
    if (rc == 0)
        MarkSetupRegistered(ShareName);
    return rc == 0 ? BREDE_NO_ERROR : BREDE_FAILED;
}

int CSharedFolder::SetupSendToFolder(CString ipAddress, FolderRecord record)
{
    CEnableSendToFolder cEnableSendToFolder;
    CCreateFolderAlias cCreateFolderAlias(record);
    CLogStream& log = LibraryLog();

    // Both steps change the device: an answer outside 200-299 means the change was not made.
    log.Line(u"SetupSendToFolder(): Execute EnableSendToFolder");
    if (!ExecuteAccepted(cEnableSendToFolder, ipAddress, u"SetupSendToFolder()")) {
        log.Line(u"ERROR- SetupSendToFolder(): EnableSendToFolder failed");
        return -1;
    }
    log.Line(u"SetupSendToFolder(): Execute CreateFolderAlias");
    if (!ExecuteAccepted(cCreateFolderAlias, ipAddress, u"SetupSendToFolder()")) {
        log.Line(u"ERROR- SetupSendToFolder(): CreateFolderAlias failed");
        return -1;
    }
    return 0;
}

int CSharedFolder::IsFolderPathValid(CString ipAddress, FolderRecord record)
{
    CIsFolderPathValid cIsFolderPathValid(record);
    CLogStream& log = LibraryLog();
    log.Line(u"IsFolderPathValid(): ExecuteCommand()");
    if (!cIsFolderPathValid.ExecuteCommand(ipAddress)) {
        log.Line(u"ERROR- IsFolderPathValid(): ExecuteCommand() failed");
        return 0;
    }
    if (cIsFolderPathValid.GetResponse().Find(u"ValidPath") >= 0) {
        log.Line(u"IsFolderPathValid(): Folder Path and credentials are valid.");
        return 1;
    }
    log.Line(u"IsFolderPathValid(): Folder Path and/or credentials are not valid.");
    return 0;
}
