// RemoveComputerSide: a device record's share taken off this computer after the record was
// removed from the device. Only a usershare of the user who runs the program is touched.
#include "CSharedFolder.h"

#include "common/log/LogEscape.h"
#include "library/LibraryLog.h"
#include "platform/core/Services.h"
#include "platform/security/Accounts.h"
#include "platform/shares/Shares.h"
#include "platform/shell/Shell.h"

#include <filesystem>

namespace {

// HOST and SHARE of "\\HOST\SHARE" or "\\HOST\SHARE\folder"; false for another kind of path.
bool SplitNetworkPath(const CString& path, CString& host, CString& share)
{
    if (path.GetLength() < 5 || path.Left(2) != u"\\\\")
        return false;
    CString rest = path.Mid(2);
    int slash = rest.Find(u'\\');
    if (slash <= 0)
        return false;
    host = rest.Left(slash);
    share = rest.Mid(slash + 1);
    if (int more = share.Find(u'\\'); more >= 0)
        share = share.Left(more);
    return !share.IsEmpty();
}

bool SameHost(CString a, CString b)
{
    a.MakeUpper();
    b.MakeUpper();
    return a == b;
}

// What can be told of a share set up before records were kept: its folder, the one account its
// access list admits, the desktop link the set-up would have made. Which folders above got a
// search right cannot be told.
SetupRecord RecordFromShare(const CString& share, const platform::UsershareFacts& facts)
{
    SetupRecord record;
    record.share = share;
    record.folder = facts.path;
    record.registered = true;
    if (facts.uids.size() == 1) {
        record.uid = facts.uids.front();
        record.account = platform::AccountNameOf(facts.uids.front());
        if (record.account.IsEmpty())
            record.account = u"uid " + IntToCString(static_cast<int>(facts.uids.front()));
        record.folderEntries = true;
    }
    CString desktop;
    if (platform::Use<platform::IShell>().GetDesktopDirectory(desktop) == 0) {
        record.link = desktop + u"/" + share + platform::kLinkFileExtension;
        record.linkTarget = facts.path;
        record.linkName = share;
    }
    return record;
}

} // namespace

Brede_ErrorCode CSharedFolder::RemoveComputerSide(CString networkPath, std::vector<Brede_ComputerStep>& steps)
{
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::RemoveComputerSide( " + EscapeForLog(networkPath) + u")");
    CString host, share;
    if (!SplitNetworkPath(networkPath, host, share) || !SameHost(host, m_csComputerName)) {
        log.Line(u"CSharedFolder::RemoveComputerSide(): " + EscapeForLog(networkPath) + u" is not on this computer");
        steps.push_back({BREDE_STEP_SHARE, BREDE_STEP_LEFT, networkPath, u"it is not a share of this computer"});
        return BREDE_NO_ERROR;
    }
    CString me;
    platform::Account caller;
    auto& accounts = platform::Use<platform::IAccounts>();
    if (!accounts.GetUserName(me) || accounts.LookupAccountName(me, caller) != 0) {
        log.Line(u"ERROR: CSharedFolder::RemoveComputerSide(): The account running this program is not known");
        steps.push_back({BREDE_STEP_SHARE, BREDE_STEP_FAILED, share, u"the account running this program is not known"});
        return BREDE_FAILED;
    }
    platform::UsershareFacts facts;
    const int found = platform::Use<platform::IShares>().GetUsershare(share, facts);
    if (found == 0 && facts.owner != static_cast<long long>(caller.uid)) {
        CString owner = facts.owner < 0 ? CString() : platform::AccountNameOf(static_cast<uid_t>(facts.owner));
        CString whose = owner.IsEmpty() ? u"another account" : u"the account " + owner;
        log.Line(u"ERROR: CSharedFolder::RemoveComputerSide(): Share " + share + u" belongs to " + whose +
                 u" and is left as it is");
        steps.push_back({BREDE_STEP_SHARE, BREDE_STEP_LEFT, share,
                         u"the share belongs to " + whose + u"; only that account can remove it"});
        return BREDE_FAILED;
    }
    SetupRecord record;
    if (!LoadSetupRecord(share, record)) {
        if (found != 0) {
            log.Line(u"CSharedFolder::RemoveComputerSide(): No share " + share + u" and no record of its set-up");
            steps.push_back({BREDE_STEP_SHARE, BREDE_STEP_LEFT, share, u"there is no such share of yours here"});
            return BREDE_NO_ERROR;
        }
        log.Line(u"CSharedFolder::RemoveComputerSide(): No record of the set-up of " + share +
                 u": what the share tells is removed");
        record = RecordFromShare(share, facts);
        if (record.uid < 0)
            steps.push_back({BREDE_STEP_FOLDER_RIGHTS, BREDE_STEP_LEFT, record.folder,
                             u"the share's access list names no single account of this computer"});
        const CString above = CString::FromUtf8(std::filesystem::path(facts.path.ToUtf8()).parent_path().string());
        steps.push_back({BREDE_STEP_PARENT_RIGHT, BREDE_STEP_LEFT, above,
                         u"the set-up kept no record of the search rights it gave the folders above; "
                         u"they are left as they are"});
    }
    UndoSetup(record, UndoMode::Removal, steps);
    for (const Brede_ComputerStep& step : steps)
        if (step.outcome == BREDE_STEP_FAILED)
            return BREDE_FAILED;
    return BREDE_NO_ERROR;
}
