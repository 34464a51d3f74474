// Taking a set-up off this computer again: when a set-up fails after its first change (all of
// it, the folder too), and when a finished one is removed (the folder and its scans stay).
// What is taken away is what the set-up's record says it made (SetupRecord.h); for a share set
// up before records were kept, only what can be told from the share itself.
#include "CSharedFolder.h"

#include "common/log/LogEscape.h"
#include "library/LibraryLog.h"
#include "platform/core/Paths.h"
#include "platform/core/ProcessStamp.h"
#include "platform/core/Services.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/WinErrors.h"
#include "platform/fs/WindowsPath.h"
#include "platform/security/Accounts.h"
#include "platform/security/DirectoryRights.h"
#include "platform/shares/ShareName.h"
#include "platform/shares/Shares.h"
#include "platform/shell/Shell.h"

#include <algorithm>

namespace {

constexpr const char16_t* kPrefix = u"CSharedFolder::UndoSetup(): ";

class StepLog {
public:
    explicit StepLog(std::vector<Brede_ComputerStep>& steps) : m_steps(steps) {}

    void Add(Brede_ComputerStepKind kind, Brede_ComputerStepOutcome outcome, const CString& subject,
             const CString& line, const CString& detail = {})
    {
        m_steps.push_back({kind, outcome, subject, detail});
        const bool failed = outcome == BREDE_STEP_FAILED;
        m_failed = m_failed || failed;
        if (line.IsEmpty())
            return; // logged in the system's own words already
        LibraryLog().Line((failed ? u"ERROR: " : u"") + CString(kPrefix) + line + (detail.IsEmpty() ? u"" : u": " + detail));
    }
    bool Failed() const { return m_failed; }

private:
    std::vector<Brede_ComputerStep>& m_steps;
    bool m_failed = false;
};

// Whether path lies inside the folder parent.
bool IsBelow(const CString& path, const CString& parent)
{
    const std::string posix = platform::ToPosixPathOrMissing(path);
    const std::string above = parent.ToUtf8();
    return posix.size() > above.size() && posix.compare(0, above.size(), above) == 0 &&
           (above.back() == '/' || posix[above.size()] == '/');
}

// Another of the user's set-ups for the same account below the parent, which needs its search
// right there as well; null when none does.
const SetupRecord* NeedingParent(const std::vector<SetupRecord>& others, const SetupRecord& record,
                                 const CString& parent)
{
    auto found = std::find_if(others.begin(), others.end(), [&](const SetupRecord& other) {
        return !platform::SameShareName(other.share.ToUtf8(), record.share.ToUtf8()) &&
               other.account == record.account && IsBelow(other.folder, parent);
    });
    return found == others.end() ? nullptr : &*found;
}

CString ErrnoText(int error)
{
    return platform::ErrorText(error);
}

void UndoLink(const SetupRecord& record, StepLog& steps)
{
    if (record.link.IsEmpty())
        return;
    int result = platform::Use<platform::IShell>().RemoveLinkFile(record.linkTarget, record.linkName, record.link);
    if (result == 0)
        steps.Add(BREDE_STEP_LINK, BREDE_STEP_REMOVED, record.link, u"Removed the desktop link " + record.link);
    else if (result == 1)
        steps.Add(BREDE_STEP_LINK, BREDE_STEP_LEFT, record.link, u"Left the desktop link " + record.link,
                  u"it was changed since it was made");
    else if (result != platform::kErrorFileNotFound)
        steps.Add(BREDE_STEP_LINK, BREDE_STEP_FAILED, record.link, u"Could not remove the desktop link " + record.link,
                  u"error " + IntToCString(result));
}

void UndoShare(const SetupRecord& record, UndoMode mode, StepLog& steps)
{
    // A failed set-up takes away only a share it made; a removal the share of the folder.
    if (mode == UndoMode::FailedSetUp && !record.shareMade)
        return;
    auto& shares = platform::Use<platform::IShares>();
    platform::UsershareFacts facts;
    int found = shares.GetUsershare(record.share, facts);
    if (found == platform::kNerrNetNameNotFound)
        return;
    if (found == 0 && !platform::IsSameDirectory(facts.path, record.folder)) {
        steps.Add(BREDE_STEP_SHARE, BREDE_STEP_LEFT, record.share, u"Left share " + record.share,
                  u"it serves another folder, " + facts.path);
        return;
    }
    int result = found == 0 ? shares.DeleteShare(record.share) : found;
    if (result == 0)
        steps.Add(BREDE_STEP_SHARE, BREDE_STEP_REMOVED, record.share, u"Removed share " + record.share);
    else
        steps.Add(BREDE_STEP_SHARE, BREDE_STEP_FAILED, record.share, u"Could not remove share " + record.share,
                  u"NetShareDel() returned " + IntToCString(result) + u" " + shares.LastRefusal());
}

void UndoParents(const SetupRecord& record, const platform::Account* account, StepLog& steps)
{
    std::vector<SetupRecord> others = AllSetupRecords();
    for (auto parent = record.parents.rbegin(); parent != record.parents.rend(); ++parent) {
        const CString& path = parent->path;
        const CString what = u"the search right for " + record.account + u" on " + path;
        if (const SetupRecord* other = NeedingParent(others, record, path)) {
            // The other share's record takes the entry over, so that it goes with the last of them.
            SetupRecord heir = *other;
            heir.parents.push_back(*parent);
            int saved = SaveSetupRecord(heir);
            if (saved == 0) {
                steps.Add(BREDE_STEP_PARENT_RIGHT, BREDE_STEP_KEPT, path, u"Kept " + what,
                          u"share " + heir.share + u" still needs it");
                others = AllSetupRecords();
                continue;
            }
            steps.Add(BREDE_STEP_PARENT_RIGHT, BREDE_STEP_FAILED, path, u"Kept " + what,
                      u"share " + heir.share + u" needs it, and its record cannot be written: " + ErrnoText(saved));
            continue;
        }
        int result = account ? platform::Use<platform::IDirectoryRights>().RevokeSearch(*parent, *account)
                             : ENOENT;
        if (result == 0)
            steps.Add(BREDE_STEP_PARENT_RIGHT, BREDE_STEP_REMOVED, path, u"Removed " + what);
        else
            steps.Add(BREDE_STEP_PARENT_RIGHT, BREDE_STEP_FAILED, path, u"Could not remove " + what,
                      account ? ErrnoText(result) : u"the account is not found");
    }
}

void UndoFolderEntries(const SetupRecord& record, const platform::Account* account, StepLog& steps)
{
    const CString what = u"the access of " + record.account + u" to " + record.folder;
    const CString shown = platform::ToDisplayPath(record.folder);
    int result = account ? platform::Use<platform::IDirectoryRights>().RevokeFullAccess(record.folder, *account) : ENOENT;
    if (result == 0)
        steps.Add(BREDE_STEP_FOLDER_RIGHTS, BREDE_STEP_REMOVED, shown, u"Removed " + what);
    else if (result != ENOENT || account == nullptr)
        steps.Add(BREDE_STEP_FOLDER_RIGHTS, BREDE_STEP_FAILED, shown, u"Could not remove " + what,
                  account ? ErrnoText(result) : u"the account is not found");
}

// The folder goes when the set-up failed and made it, while it is empty; otherwise it stays
// and only the account's entries are taken off it.
void UndoFolder(const SetupRecord& record, UndoMode mode, const platform::Account* account, StepLog& steps)
{
    CLogStream& log = LibraryLog();
    const CString shown = platform::ToDisplayPath(record.folder);
    if (mode == UndoMode::FailedSetUp && record.folderMade) {
        int result = platform::Use<platform::IFileSystem>().RemoveDirectory(record.folder);
        if (result == 0) {
            log.Line(u"Removed " + record.folder + u" from local machine");
            steps.Add(BREDE_STEP_FOLDER, BREDE_STEP_REMOVED, shown, {});
            return;
        }
        if (result == platform::kErrorFileNotFound || result == platform::kErrorPathNotFound)
            return;
        log.Line(u"ERROR: CSharedFolder::CreateSharedDirectory(): RemoveDirectory() returned " + IntToCString(result));
    }
    if (record.folderEntries)
        UndoFolderEntries(record, account, steps);
    if (mode == UndoMode::Removal)
        steps.Add(BREDE_STEP_FOLDER, BREDE_STEP_KEPT, shown, u"Kept the folder " + record.folder,
                  u"the folder and the scans in it stay");
    else if (record.folderMade)
        steps.Add(BREDE_STEP_FOLDER, BREDE_STEP_KEPT, shown, u"Kept the folder " + record.folder,
                  u"it is not empty");
}

} // namespace

void CSharedFolder::UndoSetup(const SetupRecord& record, UndoMode mode, std::vector<Brede_ComputerStep>& steps)
{
    StepLog log(steps);
    // The account's entries name its uid: they can be taken off even when the account is gone.
    platform::Account account;
    bool known = platform::Use<platform::IAccounts>().LookupAccountName(record.account, account) == 0;
    if (record.uid >= 0) {
        account.uid = static_cast<uid_t>(record.uid);
        known = true;
    }
    UndoLink(record, log);
    UndoShare(record, mode, log);
    UndoParents(record, known ? &account : nullptr, log);
    UndoFolder(record, mode, known ? &account : nullptr, log);
    // A record is kept while something it names could not be taken away, so that a retry knows.
    if (!log.Failed())
        DeleteSetupRecord(record.share);
}

int CSharedFolder::NoteSetup()
{
    if (int error = SaveSetupRecord(m_setup)) {
        const std::string path = SetupRecordPath(m_setup.share);
        const std::string state = platform::StateFolder();
        const CString file = CString::FromUtf8(!path.empty()   ? path
                                               : state.empty() ? std::string("~/.local/state/tarrow")
                                                               : state + "/shares");
        LibraryLog().Line(u"ERROR: CSharedFolder::CreateSharedDirectory(): The set-up record " + file +
                          u" cannot be written: " + ErrnoText(error));
        m_csFailureDetail = u"what the set-up changes cannot be noted in " + file + u": " + ErrnoText(error) +
                            u"\nFix: make ~/.local/state/tarrow (or $XDG_STATE_HOME/tarrow) a folder of your own "
                            u"that you can write, mode 0700";
        return 0;
    }
    return 1;
}

BOOL CSharedFolder::IsSetUpUnfinished(CString baseDirectory, CString folderName, CString userName)
{
    if (userName.IsEmpty())
        platform::Use<platform::IAccounts>().GetUserName(userName);
    baseDirectory.Trim();
    folderName.Trim();
    if (baseDirectory.IsEmpty() || baseDirectory[baseDirectory.GetLength() - 1] != u'\\')
        baseDirectory += u'\\';
    SetupRecord record;
    return LoadSetupRecord(folderName, record) && !record.registered && record.account == userName &&
           !platform::IsProcessRunning(record.process) &&
           platform::ToPosixPathOrMissing(record.folder) ==
               platform::ToPosixPathOrMissing(platform::WithoutTrailingBlanksAndDots(baseDirectory + folderName));
}

Brede_ErrorCode CSharedFolder::UndoComputerSetup(CString folderName)
{
    folderName.Trim();
    LibraryLog().Line(u"CSharedFolder::UndoComputerSetup( " + EscapeForLog(folderName) + u")");
    SetupRecord record;
    if (!LoadSetupRecord(folderName, record) || record.registered) {
        LibraryLog().Line(CString(kPrefix) + u"No unfinished set-up of " + EscapeForLog(folderName) + u" to undo");
        return BREDE_FAILED;
    }
    std::vector<Brede_ComputerStep> steps;
    UndoSetup(record, UndoMode::FailedSetUp, steps);
    return std::any_of(steps.begin(), steps.end(),
                       [](const Brede_ComputerStep& step) { return step.outcome == BREDE_STEP_FAILED; })
               ? BREDE_FAILED
               : BREDE_NO_ERROR;
}

void CSharedFolder::MarkSetupRegistered(CString shareName)
{
    shareName.Trim();
    SetupRecord record;
    if (!LoadSetupRecord(shareName, record) || record.registered)
        return;
    record.registered = true;
    if (int error = SaveSetupRecord(record))
        LibraryLog().Line(u"ERROR: CSharedFolder::ConfigureDevice(): The set-up record of " + shareName +
                          u" cannot be written: " + ErrnoText(error));
}
