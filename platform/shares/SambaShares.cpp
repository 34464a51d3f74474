#include "Shares.h"

#include "RunProgram.h"
#include "SambaConfig.h"
#include "ShareListing.h"
#include "ShareName.h"
#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/fs/WinErrors.h"
#include "platform/fs/WindowsPath.h"

#include <optional>

namespace platform {

namespace {

// Text that no user of the share is ever matched by: everyone denied.
constexpr const char* kNoOneAdmitted = "S-1-1-0:d";

// Messages of `net usershare` and the Windows number each stands for; the first that the
// output holds decides.
constexpr std::pair<const char*, int> kNetMessages[] = {
    {"Permission denied", kErrorAccessDenied},
    {"do not have permission", kErrorAccessDenied},
    {"currently disabled", kErrorNotSupported},
    {"maximum number of allowed shares", kErrorNotSupported},
    {"invalid characters", kErrorInvalidName},
    {"cannot stat path", kNerrUnknownDevDir},
    {"is not a directory", kNerrUnknownDevDir},
};

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

// A share found by name: a usershare (of any user) or a share of the configuration.
struct FoundShare {
    int error = kNerrNetNameNotFound;
    ShareSection share;
};

FoundShare FindInConfiguration(const std::string& name)
{
    std::vector<std::string> arguments{kTestparmProgram, "-s"};
    if (std::string config = SambaConfigPath(); !config.empty())
        arguments.push_back(config);
    ProgramResult run = RunTool(std::move(arguments));
    // testparm also lists the configuration when it finds fault with it (exit status 1).
    if (!run.started || run.timedOut)
        return {ToolFailure(run), {}};
    auto sections = ReadShareSections(run.output, kTestparmSeparator);
    if (const ShareSection* found = FindShareSection(sections, name))
        return {kErrorSuccess, *found};
    return {};
}

FoundShare FindInUsershares(const std::string& name)
{
    // --long lists the usershares of every user, not only the caller's.
    ProgramResult run = RunNet({"info", "--long"}, {});
    if (run.exitCode != 0)
        return {ToolFailure(run), {}};
    auto sections = ReadShareSections(run.output, kUsershareSeparator);
    if (const ShareSection* found = FindShareSection(sections, name))
        return {kErrorSuccess, *found};
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
    int AddShare(const CString& name, const CString& path) override
    {
        std::string shareName = name.ToUtf8();
        if (!IsValidShareName(shareName))
            return kErrorInvalidName;
        // `net usershare add` replaces an existing share without a word.
        if (int existing = FindShare(name).error; existing != kNerrNetNameNotFound)
            return existing == kErrorSuccess ? kNerrDuplicateShare : existing;
        return Add(shareName, ToPosixPathOrMissing(WithoutTrailingBlanksAndDots(path)), "", kNoOneAdmitted);
    }

    int GetShareInfo(const CString& name) override { return FindShare(name).error; }

    int GetSharePath(const CString& name, CString& path) override
    {
        FoundShare found = FindShare(name);
        if (found.error == kErrorSuccess)
            path = CString::FromUtf8(found.share.path);
        return found.error;
    }

    int SetShareAccess(const CString& name, const CString& accountSid) override
    {
        FoundShare found = FindChangeableUsershare(name);
        if (found.error != kErrorSuccess)
            return found.error;
        const ShareSection& share = found.share;
        return Add(share.name, share.path, share.comment, accountSid.ToUtf8() + ":f");
    }

    int DeleteShare(const CString& name) override
    {
        FoundShare found = FindChangeableUsershare(name);
        if (found.error != kErrorSuccess)
            return found.error;
        ProgramResult run = RunNet({"delete"}, {found.share.name});
        return run.exitCode == 0 ? kErrorSuccess : ToolFailure(run);
    }

private:
    // A usershare only: the configuration's shares are never changed.
    static FoundShare FindChangeableUsershare(const CString& name)
    {
        std::string shareName = name.ToUtf8();
        if (!IsValidShareName(shareName) || FindInConfiguration(shareName).error == kErrorSuccess)
            return {};
        return FindInUsershares(shareName);
    }

    static int Add(const std::string& name, const std::string& path, const std::string& comment,
                   const std::string& acl)
    {
        ProgramResult run = RunNet({"add"}, {name, path, comment, acl, "guest_ok=n"});
        return run.exitCode == 0 ? kErrorSuccess : ToolFailure(run);
    }
};

} // namespace

IShares& IShares::Default()
{
    static SambaShares instance;
    return instance;
}

} // namespace platform
