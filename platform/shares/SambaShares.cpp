#include "Shares.h"

#include "platform/core/RunProgram.h"
#include "SambaConfig.h"
#include "ShareListing.h"
#include "SambaSettings.h"
#include "ShareName.h"
#include "UsershareFolder.h"
#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/fs/WinErrors.h"
#include "platform/fs/WindowsPath.h"

#include <optional>
#include <pwd.h>
#include <vector>

namespace platform {

namespace {

// The usershare's access list: full access for the SID alone, or everyone denied without one.
std::string AccessList(const CString& accountSid)
{
    return accountSid.IsEmpty() ? "S-1-1-0:d" : accountSid.ToUtf8() + ":f";
}

// The uids of the Unix-user SIDs (S-1-22-1-uid) in a usershare's access list ("SID:F,SID:R,").
std::vector<unsigned> UnixUserUids(const std::string& acl)
{
    static constexpr std::string_view kPrefix = "S-1-22-1-";
    std::vector<unsigned> uids;
    for (std::size_t at = 0; (at = acl.find(kPrefix, at)) != std::string::npos;) {
        at += kPrefix.size();
        std::size_t end = acl.find(':', at);
        const std::string digits = acl.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (!digits.empty() && digits.size() <= 9 && digits.find_first_not_of("0123456789") == std::string::npos)
            uids.push_back(static_cast<unsigned>(std::stoul(digits)));
    }
    return uids;
}

// Messages of `net usershare` and the Windows number each stands for; the first that the
// output holds decides.
constexpr std::pair<const char*, int> kNetMessages[] = {
    {"Permission denied", kErrorAccessDenied},
    {"do not have permission", kErrorAccessDenied},
    {"cannot create tmp file", kErrorAccessDenied},
    {"currently disabled", kErrorNotSupported},
    {"maximum number of allowed usershares", kErrorNotSupported},
    {"is already a valid system user name", kNerrDuplicateShare},
    {"invalid characters", kErrorInvalidName},
    {"cannot stat path", kNerrUnknownDevDir},
    {"is not a directory", kNerrUnknownDevDir},
};

// With a [homes] section Samba serves every account's home folder under the account's name, so
// it refuses a usershare of that name; these are its words for it.
std::string HomesRefusal(const std::string& name)
{
    return "net usershare add: share name " + name + " is already a valid system user name";
}

// Whether name is an account of this computer as Samba looks it up: as given, or in lower case.
bool IsAccountName(const std::string& name)
{
    std::string lower = name;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (const std::string& candidate : {name, lower}) {
        passwd entry {};
        passwd* found = nullptr;
        std::vector<char> buffer(16384);
        if (getpwnam_r(candidate.c_str(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
            return true;
    }
    return false;
}

// The tool's message without the line break that ends it.
std::string Message(const ProgramResult& run)
{
    std::string text = run.output;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

ProgramResult RunTool(std::vector<std::string> arguments)
{
    return Use<IProgramRunner>().Run(arguments, {}, kSambaToolTimeout);
}

// `net usershare <command> [--long] -- <values>`: after "--" a value that starts with "-" is no
// option.
ProgramResult RunNet(std::vector<std::string> command, std::vector<std::string> values)
{
    std::vector<std::string> arguments{kNetProgram};
    for (auto& option : SambaConfigOption())
        arguments.push_back(std::move(option));
    arguments.push_back("usershare");
    for (auto& word : command)
        arguments.push_back(std::move(word));
    arguments.push_back("--");
    for (auto& value : values)
        arguments.push_back(std::move(value));
    return RunTool(std::move(arguments));
}

// The Windows number for a failed run of a Samba tool, from its message.
int ToolFailure(const ProgramResult& run)
{
    if (!run.started || run.timedOut)
        return kErrorGenFailure;
    for (const auto& [message, error] : kNetMessages)
        if (run.output.find(message) != std::string::npos)
            return error;
    return kErrorGenFailure;
}

// A share found by name: a usershare (of any user) or a share of the configuration. message
// holds what Samba's tool said when it refused, or why Samba would refuse the name.
struct FoundShare {
    int error = kNerrNetNameNotFound;
    ShareSection share;
    std::string message;
};

FoundShare FindInConfiguration(const std::string& name)
{
    const SambaSettings settings = CurrentSambaSettings();
    if (!settings.read)
        return {settings.error, {}, {}};
    if (const ShareSection* found = FindShareSection(settings.shares, name))
        return {kErrorSuccess, *found, {}};
    // The account's home folder is served under this name: the name is taken.
    if (FindShareSection(settings.shares, "homes") && IsAccountName(name))
        return {kErrorSuccess, ShareSection{name, "", "", ""}, HomesRefusal(name)};
    return {};
}

FoundShare FindInUsershares(const std::string& name)
{
    UsershareListing listing = CurrentUsershares();
    if (listing.error)
        return {listing.error, {}, listing.refusal};
    if (const ShareSection* found = FindShareSection(listing.shares, name))
        return {kErrorSuccess, *found, {}};
    return {};
}

// The configuration's shares come first: Samba serves them before a usershare of the same name.
FoundShare FindShare(const CString& name)
{
    std::string shareName = name.ToUtf8();
    if (!IsValidShareName(shareName))
        return {};
    FoundShare found = FindInConfiguration(shareName);
    if (found.error != kNerrNetNameNotFound)
        return found;
    return FindInUsershares(shareName);
}

class SambaShares : public IShares {
public:
    int AddShare(const CString& name, const CString& path, const CString& accountSid) override
    {
        m_refusal.clear();
        std::string shareName = name.ToUtf8();
        if (!IsValidShareName(shareName))
            return kErrorInvalidName;
        // `net usershare add` replaces an existing share without a word.
        if (int existing = Found(FindShare(name)).error; existing != kNerrNetNameNotFound)
            return existing == kErrorSuccess ? kNerrDuplicateShare : existing;
        return Add(shareName, ToPosixPathOrMissing(WithoutTrailingBlanksAndDots(path)), "", AccessList(accountSid));
    }

    int GetShareInfo(const CString& name) override
    {
        m_refusal.clear();
        return Found(FindShare(name)).error;
    }

    int GetSharePath(const CString& name, CString& path) override
    {
        m_refusal.clear();
        FoundShare found = Found(FindShare(name));
        if (found.error == kErrorSuccess)
            path = CString::FromUtf8(found.share.path);
        return found.error;
    }

    int SetShareAccess(const CString& name, const CString& accountSid) override
    {
        m_refusal.clear();
        FoundShare found = Found(FindChangeableUsershare(name));
        if (found.error != kErrorSuccess)
            return found.error;
        const ShareSection& share = found.share;
        return Add(share.name, share.path, share.comment, AccessList(accountSid));
    }

    int GetUsershare(const CString& name, UsershareFacts& facts) override
    {
        m_refusal.clear();
        FoundShare found = Found(FindChangeableUsershare(name));
        if (found.error != kErrorSuccess)
            return found.error;
        facts = {CString::FromUtf8(found.share.path), found.share.owner, UnixUserUids(found.share.acl)};
        return kErrorSuccess;
    }

    int DeleteShare(const CString& name) override
    {
        m_refusal.clear();
        FoundShare found = Found(FindChangeableUsershare(name));
        if (found.error != kErrorSuccess)
            return found.error;
        ProgramResult run = RunNet({"delete"}, {found.share.name});
        return Ran(run);
    }

    CString LastRefusal() override { return CString::FromUtf8(m_refusal); }

private:
    // A usershare only: the configuration's shares are never changed.
    static FoundShare FindChangeableUsershare(const CString& name)
    {
        std::string shareName = name.ToUtf8();
        if (!IsValidShareName(shareName) || FindInConfiguration(shareName).error == kErrorSuccess)
            return {};
        return FindInUsershares(shareName);
    }

    // Keeps what the tool said of the share, for LastRefusal.
    FoundShare Found(FoundShare found)
    {
        m_refusal = found.message;
        return found;
    }

    int Ran(const ProgramResult& run)
    {
        if (run.exitCode == 0)
            return kErrorSuccess;
        m_refusal = Message(run);
        return ToolFailure(run);
    }

    int Add(const std::string& name, const std::string& path, const std::string& comment, const std::string& acl)
    {
        return Ran(RunNet({"add"}, {name, path, comment, acl, "guest_ok=n"}));
    }

    std::string m_refusal;
};

} // namespace

IShares& IShares::Default()
{
    static SambaShares instance;
    return instance;
}

} // namespace platform
