#include "ctl/ExistingSetUp.h"

#include "ctl/Console.h"
#include "ctl/ExitCodes.h"
#include "ctl/FolderRecords.h"
#include "ctl/NetworkPath.h"

#include "platform/core/Services.h"
#include "platform/shares/ShareName.h"
#include "platform/shares/Shares.h"
#include "selfcheck/CheckText.h"
#include "selfcheck/Checks.h"

#include <algorithm>

namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// Whether the record writes to \\computer\name: computer names compare as NetBIOS names do
// (without case), share names as Samba compares them.
bool WritesTo(const FolderRecordRow& record, const WantedSetUp& wanted)
{
    std::string host, share;
    return SplitNetworkPath(record.path, host, share) && Upper(host) == Upper(wanted.computer) &&
           platform::SameShareName(share, wanted.name);
}

std::string AsWhom(const std::string& user)
{
    return user.empty() ? "as whoever signs in at the device" : "as " + user;
}

// The self-test's checks of the share and its folder for the account; the first problem's
// detail, or empty when both are in place.
std::string ComputerSideProblem(const WantedSetUp& wanted)
{
    selfcheck::CheckInput input;
    input.account = wanted.account;
    input.shareName = wanted.name;
    input.folder = wanted.folder;
    for (auto check : {selfcheck::CheckShare, selfcheck::CheckFolderRights}) {
        selfcheck::CheckResult result = check(input);
        if (result.status != selfcheck::Status::Ok)
            return result.detail;
    }
    return {};
}

} // namespace

int CheckExistingSetUp(const FoundDevice& device, const WantedSetUp& wanted, SetUpFound& found)
{
    found = SetUpFound::Nothing;
    std::vector<FolderRecordRow> records;
    if (!ReadFolderRecords(device, records))
        return kExitFailed;
    auto record = std::find_if(records.begin(), records.end(), [&wanted](const FolderRecordRow& row) {
        return platform::SameShareName(row.name, wanted.name);
    });
    const std::string address = Utf8(device.ipAddress), quotedName = selfcheck::ShellQuote(wanted.name);
    const std::string wantedPath = NetworkPath(wanted.computer, wanted.name);
    if (record != records.end() && (!WritesTo(*record, wanted) || record->user != wanted.user)) {
        Error("the device holds a folder record " + record->name + " that writes to " + record->path + " " +
              AsWhom(record->user) + ", not to " + wantedPath + " " + AsWhom(wanted.user) +
              "; it is left as it is.\nFix: give another --name, or remove the record first: tarrowctl remove " +
              address + " " + selfcheck::ShellQuote(record->name));
        return kExitFailed;
    }
    const bool shared = platform::Use<platform::IShares>().GetShareInfo(CString::FromUtf8(wanted.name)) == 0;
    if (record == records.end() && !shared)
        return kExitOk;
    if (const std::string problem = ComputerSideProblem(wanted); !problem.empty()) {
        Error((record != records.end() ? "the device's record " + record->name + " writes to " + wantedPath + ", but "
                                       : "the name " + wanted.name + " is taken on this computer: ") +
              problem + ".\nFix: tarrowctl doctor " + address + " --share " + quotedName + " --user " +
              selfcheck::ShellQuote(wanted.account) + " tells what is wrong; or give another --name");
        return kExitFailed;
    }
    found = record != records.end() ? SetUpFound::Whole : SetUpFound::ComputerSide;
    return kExitOk;
}
