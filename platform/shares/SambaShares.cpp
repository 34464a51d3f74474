#include "Shares.h"

#include "RunProgram.h"
#include "SambaConfig.h"
#include "UsershareInfo.h"
#include "platform/core/Paths.h"
#include "platform/fs/WinErrors.h"

namespace platform {

namespace {

// Text that no user of the share is ever matched by: everyone denied.
constexpr const char* kNoOneAdmitted = "S-1-1-0:d";

// `net usershare <command> -- <values>`: after "--" a value that starts with "-" is no option.
ProgramResult RunNet(const char* command, std::vector<std::string> values)
{
    std::vector<std::string> arguments{"net"};
    for (auto& option : SambaConfigOption())
        arguments.push_back(std::move(option));
    arguments.insert(arguments.end(), {"usershare", command, "--"});
    for (auto& value : values)
        arguments.push_back(std::move(value));
    return RunProgram(arguments);
}

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// The Windows number for a failed `net usershare` run, from its message.
int NetFailure(const ProgramResult& run)
{
    const std::string& text = run.output;
    if (!run.started || run.timedOut)
        return kErrorGenFailure;
    if (Contains(text, "Permission denied") || Contains(text, "do not have permission"))
        return kErrorAccessDenied;
    if (Contains(text, "currently disabled") || Contains(text, "maximum number of allowed shares"))
        return kErrorNotSupported;
    if (Contains(text, "invalid characters"))
        return kErrorInvalidName;
    if (Contains(text, "cannot stat path") || Contains(text, "is not a directory"))
        return kNerrUnknownDevDir;
    return kErrorGenFailure;
}

bool IsConfigFileShare(const std::string& name)
{
    std::vector<std::string> arguments{"testparm", "-s", "--section-name=" + name};
    if (std::string config = SambaConfigPath(); !config.empty())
        arguments.push_back(config);
    ProgramResult run = RunProgram(arguments);
    return run.exitCode == 0 && !SameAsciiCase(name, "global");
}

class SambaShares : public IShares {
public:
    int AddShare(const CString& name, const CString& path) override
    {
        std::string shareName = name.ToUtf8();
        if (!IsValidUsershareName(shareName))
            return kErrorInvalidName;
        // `net usershare add` replaces an existing share without a word.
        if (int existing = GetShareInfo(name); existing != kNerrNetNameNotFound)
            return existing == kErrorSuccess ? kNerrDuplicateShare : existing;
        return Add(shareName, ToPosixPathOrMissing(path), "", kNoOneAdmitted);
    }

    int GetShareInfo(const CString& name) override
    {
        std::string shareName = name.ToUtf8();
        if (!IsValidUsershareName(shareName))
            return kNerrNetNameNotFound;
        ProgramResult run = RunNet("info", {shareName});
        if (run.exitCode != 0)
            return NetFailure(run);
        if (FindUsershare(run.output, shareName) || IsConfigFileShare(shareName))
            return kErrorSuccess;
        return kNerrNetNameNotFound;
    }

    int SetShareAccess(const CString& name, const CString& accountSid) override
    {
        std::string shareName = name.ToUtf8();
        if (!IsValidUsershareName(shareName))
            return kNerrNetNameNotFound;
        ProgramResult run = RunNet("info", {shareName});
        if (run.exitCode != 0)
            return NetFailure(run);
        auto share = FindUsershare(run.output, shareName);
        if (!share)
            return kNerrNetNameNotFound;
        return Add(share->name, share->path, share->comment, accountSid.ToUtf8() + ":f");
    }

private:
    static int Add(const std::string& name, const std::string& path, const std::string& comment,
                   const std::string& acl)
    {
        ProgramResult run = RunNet("add", {name, path, comment, acl, "guest_ok=n"});
        return run.exitCode == 0 ? kErrorSuccess : NetFailure(run);
    }
};

} // namespace

IShares& IShares::Default()
{
    static SambaShares instance;
    return instance;
}

} // namespace platform
