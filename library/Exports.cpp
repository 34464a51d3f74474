// The exported functions: each forwards to the library's single CSharedFolder object, one caller
// at a time (LibraryLock.h). No exception leaves the library: one that escapes an operation is
// logged and the export returns its failure value.
#include "Quillet_Library.h"

#include "LibraryLock.h"
#include "LibraryLog.h"
#include "common/log/LogEscape.h"
#include "service/CSharedFolder.h"

#include <exception>

namespace {

void LogEscaped(const char16_t* exportName, const char* what) noexcept
{
    try {
        LibraryLog().Line(u"ERROR- " + CString(exportName) + u"(): stopped by an exception: "
                          + EscapeForLog(CString::FromUtf8(what)));
    } catch (...) {
        // Out of memory even for the log line: the result says enough.
    }
}

// Runs operation under the library's lock; failure() is returned when it throws.
template <typename Operation, typename Failure>
auto Serialized(const char16_t* exportName, Operation operation, Failure failure) -> decltype(operation())
{
    std::lock_guard lock(LibraryMutex());
    try {
        return operation();
    } catch (const std::exception& e) {
        LogEscaped(exportName, e.what());
    } catch (...) {
        LogEscaped(exportName, "unknown");
    }
    return failure();
}

constexpr auto Failed = [] { return BREDE_FAILED; };
constexpr auto False = [] { return BOOL{0}; };

} // namespace

Brede_SupportedFeatures GetSupportedFeatures(CString modelName, CString ipAddress, int queryDevice)
{
    return Serialized(
        u"GetSupportedFeatures",
        [&] { return cSharedFolder.GetSupportedFeatures(modelName, ipAddress, queryDevice); },
        [] { return DEVICE_NOT_SUPPORTED; });
}

BOOL GenerateUniqueFolderName(CString ipAddress, CString baseDirectory, CString modelName, CString& uniqueName)
{
    return Serialized(
        u"GenerateUniqueFolderName",
        [&] { return cSharedFolder.GenerateUniqueFolderName(ipAddress, baseDirectory, modelName, uniqueName); },
        False);
}

BOOL IsFolderNameUnique(CString ipAddress, CString baseDirectory, CString folderName)
{
    return Serialized(
        u"IsFolderNameUnique",
        [&] { return cSharedFolder.IsFolderNameUnique(ipAddress, baseDirectory, folderName); }, False);
}

Brede_ErrorCode ConfigureComputer(CString baseDirectory, CString folderName, int createShortcut, CString userName)
{
    return Serialized(
        u"ConfigureComputer",
        [&] { return cSharedFolder.ConfigureComputer(baseDirectory, folderName, createShortcut, userName); },
        Failed);
}

BOOL IsSetUpUnfinished(CString baseDirectory, CString folderName, CString userName)
{
    return Serialized(
        u"IsSetUpUnfinished",
        [&] { return cSharedFolder.IsSetUpUnfinished(baseDirectory, folderName, userName); }, False);
}

Brede_ErrorCode UndoComputerSetup(CString folderName)
{
    return Serialized(u"UndoComputerSetup", [&] { return cSharedFolder.UndoComputerSetup(folderName); }, Failed);
}

Brede_ErrorCode RemoveComputerSide(CString networkPath, std::vector<Brede_ComputerStep>& steps)
{
    steps.clear();
    return Serialized(
        u"RemoveComputerSide", [&] { return cSharedFolder.RemoveComputerSide(networkPath, steps); }, Failed);
}

Brede_ErrorCode ConfigureDevice(CString MfpIPAddress, CString ShareHostName, CString ShareName,
                                Brede_FileFormat fileFormat, Brede_ImageResolution resolution,
                                Brede_ColorSetting colorSetting, Brede_FileSize fileSize)
{
    return Serialized(
        u"ConfigureDevice",
        [&] {
            return cSharedFolder.ConfigureDevice(MfpIPAddress, ShareHostName, ShareName, fileFormat, resolution,
                                                 colorSetting, fileSize);
        },
        Failed);
}

Brede_ErrorCode ConfigureDevice(CString UserName, CString Password, CString NtDomain, CString MfpIPAddress,
                                CString ShareHostName, CString ShareName, Brede_FileFormat fileFormat,
                                Brede_ImageResolution resolution, Brede_ColorSetting colorSetting,
                                Brede_FileSize fileSize)
{
    return Serialized(
        u"ConfigureDevice",
        [&] {
            return cSharedFolder.ConfigureDevice(UserName, Password, NtDomain, MfpIPAddress, ShareHostName,
                                                 ShareName, fileFormat, resolution, colorSetting, fileSize);
        },
        Failed);
}

BOOL IsFolderPathValidOnDevice(CString MfpIPAddress, CString UserName, CString Password, CString NtDomain,
                               CString ShareHostName, CString ShareName)
{
    return Serialized(
        u"IsFolderPathValidOnDevice",
        [&] {
            FolderRecord record;
            record.SetCredentials(UserName, Password, NtDomain);
            record.SetShare(ShareHostName, ShareName);
            return cSharedFolder.IsFolderPathValid(MfpIPAddress, record);
        },
        False);
}

Brede_ErrorCode DeleteFolderAlias(CString ipAddress, CString folderName)
{
    return Serialized(
        u"DeleteFolderAlias", [&] { return cSharedFolder.DeleteFolderAlias(ipAddress, folderName); }, Failed);
}

Brede_ErrorCode DeleteFolderList(CString ipAddress, CStringList& folderNames)
{
    return Serialized(
        u"DeleteFolderList", [&] { return cSharedFolder.DeleteFolderList(ipAddress, folderNames); }, Failed);
}

Brede_ErrorCode DeleteFolderList(CString ipAddress, CStringList& folderNames, int& deletedRecords)
{
    deletedRecords = -1;
    return Serialized(
        u"DeleteFolderList",
        [&] { return cSharedFolder.DeleteFolderList(ipAddress, folderNames, deletedRecords); }, Failed);
}

BOOL GetFolderNamesOnDevice(CString ipAddress, CString& names)
{
    return Serialized(
        u"GetFolderNamesOnDevice", [&] { return cSharedFolder.GetFolderNamesOnDevice(ipAddress, names); }, False);
}

BOOL ReadPrinterFolders(CString ipAddress)
{
    return Serialized(u"ReadPrinterFolders", [&] { return cSharedFolder.ReadPrinterFolders(ipAddress); }, False);
}

CStringList* GetPrinterFolderList(Brede_PrinterFolderListType listType)
{
    return Serialized(
        u"GetPrinterFolderList", [&] { return cSharedFolder.GetPrinterFolderList(listType); },
        [] { return static_cast<CStringList*>(nullptr); });
}

CString GetFailureDetail()
{
    return Serialized(u"GetFailureDetail", [] { return cSharedFolder.m_csFailureDetail; }, [] { return CString(); });
}

CString TestFunction(int selector, CString ipAddress, CString& text)
{
    return Serialized(
        u"TestFunction", [&] { return cSharedFolder.TestFunction(selector, ipAddress, text); },
        [] { return CString(); });
}

CQuillet_Library& CQuillet_Library::operator=(const CQuillet_Library&)
{
    return *this;
}
