// The folder on this computer: directory, its access entry, the share and the share's access
// list. On Linux the access entry is a POSIX ACL entry and the share a Samba usershare; the log
// keeps the names of the calls the system was designed on.
#include "CSharedFolder.h"

#include "library/LibraryLog.h"
#include "platform/core/Services.h"
#include "platform/fs/FileSystem.h"
#include "platform/security/Accounts.h"
#include "platform/security/DirectoryRights.h"
#include "platform/shares/Shares.h"
#include "platform/shell/Shell.h"

namespace {

CString AclCallName(platform::AclStep step)
{
    switch (step) {
    case platform::AclStep::Read:
        return u"GetNamedSecurityInfo()";
    case platform::AclStep::Build:
        return u"SetEntriesInAcl()";
    case platform::AclStep::Write:
        break;
    }
    return u"SetNamedSecurityInfo()";
}

} // namespace

Brede_ErrorCode CSharedFolder::ConfigureComputer(CString baseDirectory, CString folderName, int createShortcut,
                                                 CString userName)
{
    if (!CreateSharedDirectory(baseDirectory, folderName, userName))
        return BREDE_FAILED;
    // The shortcut's target is built from the arguments as given.
    CString targetPath = baseDirectory + u"\\" + folderName;
    if (createShortcut)
        CreateShortcut(targetPath, folderName, GetShortcutPath(folderName));
    return BREDE_NO_ERROR;
}

int CSharedFolder::CreateSharedDirectory(CString baseDirectory, CString folderName, CString userName)
{
    CLogStream& log = LibraryLog();
    // Without a name the account entries are left out (the look-ups fail).
    if (userName.IsEmpty() && !platform::Use<platform::IAccounts>().GetUserName(userName))
        log.Line(u"ERROR- CreateSharedDirectory(): GetUserName() failed.");
    log.BlankLine();
    log.Line(u"CSharedFolder::CreateSharedDirectory( " + baseDirectory + u", " + folderName + u")");

    m_csFolderName = folderName;
    m_csFolderName.Trim();
    m_csShareName = m_csFolderName;
    m_csBaseDirectory = baseDirectory;
    m_csBaseDirectory.Trim();
    if (m_csBaseDirectory.IsEmpty())
        m_csBaseDirectory = u"\\";
    else if (m_csBaseDirectory[m_csBaseDirectory.GetLength() - 1] != u'\\')
        m_csBaseDirectory += u'\\';
    m_csFullPath = m_csBaseDirectory + m_csFolderName;

    if (int result = platform::Use<platform::IFileSystem>().CreateDirectoryTree(m_csFullPath)) {
        log.Line(u"ERROR: CSharedFolder::CreateSharedDirectory(): SHCreateDirectoryEx() returned " + IntToCString(result));
        return 0;
    }
    log.Line(u"Created " + m_csFullPath + u" on local machine");

    SetDirPermissions(userName);
    int shared = ShareWindowsFolder(userName);
    platform::Use<platform::IShell>().NotifyShareCreated(m_csFullPath);
    return shared;
}

int CSharedFolder::SetDirPermissions(CString userName)
{
    platform::Account account;
    if (platform::Use<platform::IAccounts>().LookupAccountName(userName, account) != 0)
        return 0;
    auto& rights = platform::Use<platform::IDirectoryRights>();
    CLogStream& log = LibraryLog();
    platform::AclResult result = rights.GrantFullAccess(m_csFullPath, account);
    if (result.error) {
        log.Line(u"SetDirPermissions(): " + AclCallName(result.step) + u": " + platform::ErrorText(result.error));
        return 0;
    }
    // Linux also wants the right to pass through every folder above.
    int passable = 1;
    for (const auto& change : rights.GrantSearchOnParents(m_csFullPath, account)) {
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

    // The share is made closed to everyone; SetSharePermissions opens it to the account.
    int result = platform::Use<platform::IShares>().AddShare(m_csShareName, m_csFullPath);
    if (result == 0) {
        log.Line(u"CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned NERR_Success");
    } else if (result == platform::kNerrDuplicateShare) {
        log.Line(u"CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned NERR_DuplicateShare");
    } else {
        // Without a share the device could not deliver a single scan: a failure for the caller.
        log.Line(u"ERROR: CSharedFolder::ShareWindowsFolder(): NetShareAdd() returned " + IntToCString(result));
        return 0;
    }
    SetSharePermissions(userName);
    log.Line(u"Shared folder " + m_csFullPath + u" on local machine");
    return 1;
}

int CSharedFolder::SetSharePermissions(CString userName)
{
    CLogStream& log = LibraryLog();
    auto& accounts = platform::Use<platform::IAccounts>();
    platform::Account account;
    if (int result = accounts.LookupAccountName(userName, account)) {
        log.Line(u"ERROR: CSharedFolder::ShareWindowsFolder(): LookupAccountName() returned " + IntToCString(result));
        return 1;
    }
    CString sid = accounts.LookupSambaSid(account);
    if (int result = platform::Use<platform::IShares>().SetShareAccess(m_csShareName, sid))
        log.Line(u"ERROR: CSharedFolder::ShareWindowsFolder(): SetNamedSecurityInfo() returned " + IntToCString(result));
    return 1;
}
