// The folder on this computer: directory, its access entry, the share and the share's access
// list. On Linux the access entry is a POSIX ACL entry and the share a Samba usershare; the log
// keeps the names of the calls the system was designed on.
//
// A set-up that cannot give the account its entries on the folder and the share fails, and
// what the call made is removed again: a share or folder that no scan can reach is never left.
// Each change is noted in the share's set-up record before it is made (SetupRecord.h), so that
// the undo, a later removal and a run that finishes a set-up stopped part-way know what it was.
#include "CSharedFolder.h"
#include "FailureDetail.h"

#include "common/log/LogEscape.h"
#include "library/LibraryLog.h"
#include "platform/core/Services.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/WinErrors.h"
#include "platform/fs/WindowsPath.h"
#include "platform/core/Paths.h"
#include "platform/core/ProcessStamp.h"
#include "platform/security/Accounts.h"
#include "platform/security/DirectoryRights.h"
#include "platform/shares/Shares.h"
#include "platform/shell/Shell.h"

namespace {

CString AclCallName(platform::AclStep step)
{
    static const CString kNames[] = {u"GetNamedSecurityInfo()", u"SetEntriesInAcl()", u"SetNamedSecurityInfo()"};
    return kNames[static_cast<int>(step)];
}

bool SamePath(const CString& a, const CString& b)
{
    return platform::ToPosixPathOrMissing(a) == platform::ToPosixPathOrMissing(b);
}

bool HasParent(const SetupRecord& record, const CString& path)
{
    for (const platform::ParentChange& parent : record.parents)
        if (parent.path == path)
            return true;
    return false;
}

} // namespace

int CSharedFolder::CanShare(const CString& userName)
{
    auto& shares = platform::Use<platform::IShares>();
    int result = shares.GetShareInfo(m_csShareName);
    if (result != platform::kErrorAccessDenied && result != platform::kErrorNotSupported)
        return 1;
    LibraryLog().Line(u"ERROR: CSharedFolder::CreateSharedDirectory(): No share can be made for " + userName +
                      u": NetShareGetInfo() returned " + IntToCString(result));
    m_csFailureDetail = ShareFailureDetail(shares.LastRefusal());
    return 0;
}

Brede_ErrorCode CSharedFolder::ConfigureComputer(CString baseDirectory, CString folderName, int createShortcut,
                                                 CString userName)
{
    m_csFailureDetail.Empty();
    if (!CreateSharedDirectory(baseDirectory, folderName, userName))
        return BREDE_FAILED;
    // The shortcut's target is built from the arguments as given.
    CString targetPath = baseDirectory + u"\\" + folderName;
    if (createShortcut) {
        CString shortcutPath = GetShortcutPath(folderName);
        ShortcutFiles files = ShortcutFilesFor(targetPath, shortcutPath);
        if (!files.target.IsEmpty()) {
            m_setup.link = files.link;
            m_setup.linkTarget = files.target;
            m_setup.linkName = folderName;
            if (!NoteSetup()) {
                FailSetup();
                return BREDE_FAILED;
            }
        }
        CreateShortcut(targetPath, folderName, shortcutPath);
    }
    return BREDE_NO_ERROR;
}

int CSharedFolder::CreateSharedDirectory(CString baseDirectory, CString folderName, CString userName)
{
    CLogStream& log = LibraryLog();
    // Without a name the account entries cannot be made, and the set-up fails.
    if (userName.IsEmpty() && !platform::Use<platform::IAccounts>().GetUserName(userName))
        log.Line(u"ERROR- CreateSharedDirectory(): GetUserName() failed.");
    log.BlankLine();
    log.Line(u"CSharedFolder::CreateSharedDirectory( " + EscapeForLog(baseDirectory) + u", " + EscapeForLog(folderName) +
             u")");

    m_csFolderName = folderName;
    m_csFolderName.Trim();
    m_csShareName = m_csFolderName;
    m_csBaseDirectory = baseDirectory;
    m_csBaseDirectory.Trim();
    bool noBase = m_csBaseDirectory.IsEmpty();
    if (noBase)
        m_csBaseDirectory = u"\\";
    else if (m_csBaseDirectory[m_csBaseDirectory.GetLength() - 1] != u'\\')
        m_csBaseDirectory += u'\\';
    // The folder as Windows' full-path step names it: "Trail." is the folder Trail.
    m_csFullPath = platform::WithoutTrailingBlanksAndDots(m_csBaseDirectory + m_csFolderName);

    // Nothing is made for a name that would leave the base directory or that Samba refuses.
    if (!IsValidFolderName(m_csFolderName)) {
        log.Line(u"ERROR: CSharedFolder::CreateSharedDirectory(): Folder name " + EscapeForLog(m_csFolderName) +
                 u" is not valid: ERROR_INVALID_NAME (123)");
        return 0;
    }
    // Where Samba takes no usershare of this user at all, nothing is made.
    if (!CanShare(userName))
        return 0;
    // Without a base directory there is no place for the folder (never the root of the disk).
    if (noBase) {
        log.Line(u"ERROR: CSharedFolder::CreateSharedDirectory(): SHCreateDirectoryEx() returned " +
                 IntToCString(platform::kErrorPathNotFound));
        return 0;
    }
    int takeOver = BeginSetupRecord(userName);
    if (takeOver < 0)
        return 0;
    const bool folderWasMade = takeOver && m_setup.folderMade;
    m_setup.folderMade = true;
    if (!NoteSetup())
        return 0;
    int result = platform::Use<platform::IFileSystem>().CreateDirectoryTree(m_csFullPath);
    if (result == platform::kErrorAlreadyExists && folderWasMade) {
        log.Line(u"CSharedFolder::CreateSharedDirectory(): Took over " + m_csFullPath + u" made by an earlier set-up");
    } else if (result) {
        log.Line(u"ERROR: CSharedFolder::CreateSharedDirectory(): SHCreateDirectoryEx() returned " + IntToCString(result));
        // Nothing of this run was made; what an earlier run made goes.
        m_setup.folderMade = folderWasMade;
        if (takeOver)
            FailSetup();
        else
            DeleteSetupRecord(m_setup.share);
        return 0;
    } else {
        log.Line(u"Created " + m_csFullPath + u" on local machine");
    }

    // The folder is private (platform::IFileSystem): without the account's entry no scan reaches it.
    if (!SetDirPermissions(userName) || !ShareWindowsFolder(userName)) {
        FailSetup();
        return 0;
    }
    platform::Use<platform::IShell>().NotifyShareCreated(m_csFullPath);
    return 1;
}

int CSharedFolder::BeginSetupRecord(const CString& userName)
{
    CLogStream& log = LibraryLog();
    SetupRecord earlier;
    if (LoadSetupRecord(m_csShareName, earlier)) {
        // Only a run that ended before the device took its record is taken over, never one that still runs.
        if (!earlier.registered && earlier.account == userName && SamePath(earlier.folder, m_csFullPath) &&
            !platform::IsProcessRunning(earlier.process)) {
            log.Line(u"CSharedFolder::CreateSharedDirectory(): Taking over the unfinished set-up of " + m_csShareName +
                     u" that an earlier run left");
            m_setup = earlier;
            m_setup.process = platform::ThisProcessStamp();
            return 1;
        }
        // Another set-up of the name is left as it is: its folder, or its share, is still there.
        if (GetPathType(m_csFullPath) != 0) {
            log.Line(u"ERROR: CSharedFolder::CreateSharedDirectory(): SHCreateDirectoryEx() returned " +
                     IntToCString(platform::kErrorAlreadyExists));
            return -1;
        }
        if (platform::Use<platform::IShares>().GetShareInfo(m_csShareName) != platform::kNerrNetNameNotFound) {
            log.Line(u"ERROR: CSharedFolder::CreateSharedDirectory(): Share " + m_csShareName +
                     u" belongs to another set-up of this account and is left as it is");
            m_csFailureDetail = u"share " + m_csShareName + u" belongs to another set-up (for " + earlier.account +
                                u", folder " + platform::ToDisplayPath(earlier.folder) + u").";
            return -1;
        }
        // The share of that set-up is gone: what else it left is taken away before the new one begins.
        log.Line(u"CSharedFolder::CreateSharedDirectory(): Clearing what the set-up of " + m_csShareName +
                 u" for " + earlier.folder + u" left after its share was removed");
        std::vector<Brede_ComputerStep> steps;
        UndoSetup(earlier, UndoMode::Removal, steps);
    }
    m_setup = {};
    m_setup.share = m_csShareName;
    m_setup.folder = m_csFullPath;
    m_setup.account = userName;
    m_setup.process = platform::ThisProcessStamp();
    return 0;
}

void CSharedFolder::FailSetup()
{
    std::vector<Brede_ComputerStep> steps;
    UndoSetup(m_setup, UndoMode::FailedSetUp, steps);
}

int CSharedFolder::SetDirPermissions(CString userName)
{
    CLogStream& log = LibraryLog();
    platform::Account account;
    if (int result = platform::Use<platform::IAccounts>().LookupAccountName(userName, account)) {
        log.Line(u"ERROR: SetDirPermissions(): LookupAccountName() returned " + IntToCString(result));
        return 0;
    }
    auto& rights = platform::Use<platform::IDirectoryRights>();
    m_setup.uid = account.uid;
    m_setup.folderEntries = true;
    if (!NoteSetup())
        return 0;
    platform::AclResult result = rights.GrantFullAccess(m_csFullPath, account);
    if (result.error) {
        log.Line(u"SetDirPermissions(): " + AclCallName(result.step) + u": " + platform::ErrorText(result.error));
        return 0;
    }
    // Linux also wants the right to pass through every folder above.
    int passable = 1;
    const SetupRecord before = m_setup;
    auto note = [this](const CString& parent) {
        if (!HasParent(m_setup, parent))
            m_setup.parents.push_back({parent});
        SaveSetupRecord(m_setup); // a failure here is caught by the note after the walk
    };
    const std::vector<platform::ParentChange> changes = rights.GrantSearchOnParents(m_csFullPath, account, note);
    m_setup.parents = before.parents;
    for (const auto& change : changes)
        if (change.error == 0 && !HasParent(m_setup, change.path))
            m_setup.parents.push_back(change);
    if (!NoteSetup())
        return 0;
    for (const auto& change : changes) {
        if (change.error == 0) {
            log.Line(u"SetDirPermissions(): Added the search right for " + userName + u" on " + change.path);
            continue;
        }
        log.Line(u"ERROR: SetDirPermissions(): Could not add the search right for " + userName + u" on " + change.path +
                 u": " + platform::ErrorText(change.error));
        passable = 0;
    }
    return passable;
}

int CSharedFolder::ShareWindowsFolder(CString userName)
{
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::ShareWindowsFolder(): Sharename= " + m_csShareName + u" for " + m_csFullPath);

    CString sid;
    if (!ShareSid(userName, sid))
        return 0;
    // The share is made with its access list: it admits the account alone from the moment it exists.
    auto& shares = platform::Use<platform::IShares>();
    const bool shareWasMade = m_setup.shareMade;
    m_setup.shareMade = true;
    if (!NoteSetup())
        return 0;
    int result = shares.AddShare(m_csShareName, m_csFullPath, sid);
    if (result != 0) {
        // Not made by this run: a share found is another's, or an earlier run's of this set-up.
        m_setup.shareMade = shareWasMade;
        if (!NoteSetup())
            return 0;
    }
    if (result == platform::kNerrDuplicateShare) {
        log.Line(u"CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned NERR_DuplicateShare");
        // Only a share of this very folder is taken over; another folder's share stays as it is.
        CString servedPath;
        if (shares.GetSharePath(m_csShareName, servedPath) != 0 || !platform::IsSameDirectory(servedPath, m_csFullPath)) {
            log.Line(u"ERROR: CSharedFolder::ShareWindowsFolder(): Share " + m_csShareName +
                     u" serves another folder and is left as it is");
            m_csFailureDetail = ShareFailureDetail(shares.LastRefusal());
            if (m_csFailureDetail.IsEmpty())
                m_csFailureDetail = u"A share named " + m_csShareName + u" already serves another folder.";
            return 0;
        }
        // The share taken over admits the account from now on.
        if (int access = shares.SetShareAccess(m_csShareName, sid)) {
            log.Line(u"ERROR: CSharedFolder::ShareWindowsFolder(): SetNamedSecurityInfo() returned " + IntToCString(access));
            return 0;
        }
    } else if (result == 0) {
        log.Line(u"CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned NERR_Success");
    } else {
        // Without a share the device could not deliver a single scan: a failure for the caller.
        log.Line(u"ERROR: CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned " + IntToCString(result));
        m_csFailureDetail = ShareFailureDetail(shares.LastRefusal());
        return 0;
    }
    log.Line(u"Shared folder " + m_csFullPath + u" on local machine");
    return 1;
}

int CSharedFolder::ShareSid(CString userName, CString& sid)
{
    platform::Account account;
    if (int result = platform::Use<platform::IAccounts>().LookupAccountName(userName, account)) {
        LibraryLog().Line(u"ERROR: CSharedFolder::ShareWindowsFolder(): LookupAccountName() returned " +
                          IntToCString(result));
        return 0;
    }
    sid = platform::UnixUserSid(account);
    return 1;
}
