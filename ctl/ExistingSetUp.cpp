#include "ctl/ExistingSetUp.h"

#include "ctl/Console.h"
#include "ctl/ExitCodes.h"
#include "ctl/FolderRecords.h"
#include "ctl/NetworkPath.h"

#include "platform/core/Services.h"
#include "platform/shares/ShareName.h"
#include "platform/shares/Shares.h"
#include "selfcheck/CheckText.h"

#include <algorithm>
#include <filesystem>

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

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

int CheckExistingSetUp(const FoundDevice& device, const WantedSetUp& wanted, bool& inPlace)
{
    inPlace = false;
    std::vector<FolderRecordRow> records;
    if (!ReadFolderRecords(device, records))
        return kExitFailed;
    auto record = std::find_if(records.begin(), records.end(), [&wanted](const FolderRecordRow& row) {
        return platform::SameShareName(row.name, wanted.name);
    });
    if (record == records.end())
        return kExitOk;
    const std::string quoted = selfcheck::ShellQuote(record->name);
    const std::string wantedPath = NetworkPath(wanted.computer, wanted.name);
    if (!WritesTo(*record, wanted) || record->user != wanted.user) {
        Error("the device holds a folder record " + record->name + " that writes to " + record->path + " " +
              AsWhom(record->user) + ", not to " + wantedPath + " " + AsWhom(wanted.user) +
              "; it is left as it is.\nFix: give another --name, or remove the record first: tarrowctl remove " +
              Utf8(device.ipAddress) + " " + quoted);
        return kExitFailed;
    }
    CString served;
    const int found = platform::Use<platform::IShares>().GetSharePath(CString::FromUtf8(wanted.name), served);
    std::error_code error;
    const bool folderThere = std::filesystem::is_directory(wanted.folder, error);
    if (found != 0 || WithoutTrailingSlash(Utf8(served)) != WithoutTrailingSlash(wanted.folder) || !folderThere) {
        const std::string missing = found != 0 ? "there is no share " + wanted.name + " on this computer"
                                    : !folderThere ? "the folder " + wanted.folder + " is missing"
                                                   : "the share " + wanted.name + " serves " + Utf8(served) +
                                                         ", not " + wanted.folder;
        Error("the device's record " + record->name + " writes to " + wantedPath + ", but " + missing +
              ".\nFix: tarrowctl doctor " + Utf8(device.ipAddress) + " --share " + selfcheck::ShellQuote(wanted.name) +
              " tells what is wrong; to set the folder up anew, remove the record (tarrowctl remove " +
              Utf8(device.ipAddress) + " " + quoted + ") and add it again");
        return kExitFailed;
    }
    inPlace = true;
    return kExitOk;
}
