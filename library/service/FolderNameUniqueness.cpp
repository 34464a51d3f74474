// Whether a folder name is free as directory, share, desktop shortcut and device folder, and
// the proposal of a free name built from the computer name and the device's model code.
#include "CSharedFolder.h"
#include "FailureDetail.h"

#include "common/log/LogEscape.h"
#include "library/LibraryLog.h"
#include "platform/core/Services.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/WinErrors.h"
#include "platform/fs/WindowsPath.h"
#include "platform/shares/ShareName.h"
#include "platform/shares/Shares.h"

namespace {

// Candidates tried before giving up: a name that no number can free (a base directory whose
// every entry fails to read, say) would otherwise keep the search going for ever.
constexpr int kMaxCandidates = 1000;

// The names that the share query's failures are logged with; any other is logged as a number.
CString ShareErrorName(int result)
{
    static const std::pair<int, const char16_t*> kNames[] = {
        {platform::kErrorAccessDenied, u"ERROR_ACCESS_DENIED"},
        {platform::kErrorNotEnoughMemory, u"ERROR_NOT_ENOUGH_MEMORY"},
        {platform::kErrorInvalidParameter, u"ERROR_INVALID_PARAMETER"},
        {platform::kErrorInvalidLevel, u"ERROR_INVALID_LEVEL"},
        {platform::kErrorMoreData, u"ERROR_MORE_DATA"},
        {platform::kNerrBufTooSmall, u"NERR_BufTooSmall"},
    };
    for (const auto& [code, name] : kNames)
        if (code == result)
            return name;
    return IntToCString(result);
}

} // namespace

BOOL CSharedFolder::GenerateUniqueFolderName(CString ipAddress, CString baseDirectory, CString modelName,
                                             CString& uniqueName)
{
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::GenerateUniqueFolderName( " + EscapeForLog(ipAddress) + u", " + EscapeForLog(baseDirectory) +
             u", " + EscapeForLog(modelName) + u")");

    CString modelCode = modelName;
    ConvertToBasePrinterName(modelCode);
    CString hostName;
    if (modelCode.IsEmpty() || !MakeHostName(hostName)) {
        uniqueName.Empty();
        return 0;
    }
    CString prefix = m_csComputerName + u"_" + modelCode;
    CString suffix;
    for (int counter = 1; counter <= kMaxCandidates; ++counter) {
        CString candidate = prefix + suffix;
        if (IsFolderNameUnique(ipAddress, baseDirectory, candidate)) {
            uniqueName = candidate;
            return 1;
        }
        suffix = u"_" + IntToCString(counter);
    }
    log.Line(u"ERROR: CSharedFolder::GenerateUniqueFolderName(): No unique name among " + IntToCString(kMaxCandidates) +
             u" candidates for " + prefix);
    uniqueName.Empty();
    return 0;
}

namespace {

// Whether the device's list holds upperName in any case: a device may keep a name as it was
// typed (DevOnly2) and still take it for the same folder as DEVONLY2.
bool HoldsName(const CStringList& names, const CString& upperName)
{
    for (CString name : names)
        if (name.MakeUpper() == upperName)
            return true;
    return false;
}

} // namespace

BOOL CSharedFolder::IsFolderNameUnique(CString ipAddress, CString baseDirectory, CString folderName)
{
    CLogStream& log = LibraryLog();
    m_csFailureDetail.Empty();
    log.Line(u"CSharedFolder::IsFolderNameUnique( " + EscapeForLog(ipAddress) + u", " + EscapeForLog(baseDirectory) + u", " +
             EscapeForLog(folderName) + u")");
    // A name that no folder can have is never free.
    if (CString trimmed = folderName; !IsValidFolderName(trimmed.Trim())) {
        log.Line(u"CSharedFolder::IsFolderNameUnique(): Folder name " + EscapeForLog(folderName) +
                 u" is not valid: ERROR_INVALID_NAME (123)");
        return 0;
    }

    // The folder test works relative to the base directory, which stays the current directory.
    if (platform::Use<platform::IFileSystem>().SetCurrentDirectory(baseDirectory)) {
        if (GetPathType(folderName) != 0) {
            log.Line(u"CSharedFolder::IsFolderNameUnique(): Folder " + folderName + u" already exists on PC.");
            return 0;
        }
        log.Line(u"CSharedFolder::IsFolderNameUnique(): Folder " + folderName + u" does not exist on PC.");
    } else {
        log.Line(u"CSharedFolder::IsFolderNameUnique(): Directory " + EscapeForLog(baseDirectory) + u" does not exist on PC.");
    }

    if (!IsShareNameUnique(folderName)) {
        log.Line(u"CSharedFolder::IsFolderNameUnique(): Share " + folderName + u" already exists on PC.");
        // A name that Samba keeps for an account's home folder says so.
        m_csFailureDetail = ShareFailureDetail(platform::Use<platform::IShares>().LastRefusal());
        return 0;
    }
    log.Line(u"CSharedFolder::IsFolderNameUnique(): Share " + folderName + u" does not exist on PC.");

    if (!IsShortcutNameUnique(folderName)) {
        log.Line(u"CSharedFolder::IsFolderNameUnique(): Shortcut " + folderName + u" already exists on PC.");
        return 0;
    }
    log.Line(u"CSharedFolder::IsFolderNameUnique(): Shortcut " + folderName + u" does not exist on PC.");

    if (folderName == m_csLastUniqueName) {
        log.Line(u"CSharedFolder::IsFolderNameUnique(): Folder " + folderName +
                 u" has already been found to be unique on printer.");
    } else {
        if (!m_bListLoaded)
            GetPrinterFolderNames(ipAddress);
        if (!m_bListInvalid) {
            folderName.MakeUpper();
            if (HoldsName(m_FolderNameList, folderName)) {
                log.Line(u"CSharedFolder::IsFolderNameUnique(): Folder " + folderName + u" already exists on printer.");
                return 0;
            }
        }
    }
    m_csLastUniqueName = folderName;
    log.Line(u"CSharedFolder::IsFolderNameUnique(): Folder " + folderName + u" does not exist on printer.");
    return 1;
}

int CSharedFolder::IsShareNameUnique(CString name)
{
    int result = platform::Use<platform::IShares>().GetShareInfo(name);
    if (result == 0)
        return 0;
    if (result != platform::kNerrNetNameNotFound)
        LibraryLog().Line(u"ERROR: CSharedFolder::IsShareNameUnique(): NetShareGetInfo() returned " + ShareErrorName(result));
    return 1;
}

// The shortcut that would clash is the desktop link file that ConfigureComputer writes for the
// name, so that is the file looked at.
int CSharedFolder::IsShortcutNameUnique(CString name)
{
    if (GetPathType(GetShortcutPath(name)) == 0)
        return 1;
    LibraryLog().Line(u"CSharedFolder::IsShortcutNameUnique(): Shortcut " + name + u" already exists on PC.");
    return 0;
}

int GetPathType(CString path)
{
    unsigned attributes = 0;
    int result = platform::Use<platform::IFileSystem>().GetFileAttributes(path, attributes);
    if (result == platform::kErrorFileNotFound || result == platform::kErrorPathNotFound)
        return 0;
    if (result != 0)
        return -1;
    return (attributes & platform::kFileAttributeDirectory) ? 2 : 1;
}

bool IsValidFolderName(const CString& name)
{
    std::string shareName = name.ToUtf8();
    return platform::IsOnePathComponent(platform::WithoutTrailingBlanksAndDots(name)) &&
           platform::IsValidShareName(shareName) && !platform::IsReservedShareName(shareName);
}
