#include "SambaSettings.h"

#include "platform/core/RunProgram.h"
#include "SambaConfig.h"

#include "platform/core/Services.h"
#include "platform/fs/WinErrors.h"

#include <future>
#include <mutex>
#include <sstream>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr const char* kSystemConfig = "/etc/samba/smb.conf";

// What tells one version of the file from another without reading it.
struct FileIdentity {
    std::string path;
    ino_t inode = 0;
    off_t size = -1;
    long long changed = 0; // nanoseconds
    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const std::string& path)
{
    FileIdentity identity{path};
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        identity.inode = info.st_ino;
        identity.size = info.st_size;
        identity.changed = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    }
    return identity;
}

// "\tname = value" lines of [global], up to the next section.
std::vector<std::pair<std::string, std::string>> GlobalParameters(const std::string& text)
{
    std::vector<std::pair<std::string, std::string>> parameters;
    bool inGlobal = false;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.front() == '[') {
            inGlobal = line == "[global]";
            continue;
        }
        std::size_t start = line.find_first_not_of(" \t");
        std::size_t at = line.find(kTestparmSeparator);
        if (inGlobal && start != std::string::npos && at != std::string::npos && at > start)
            parameters.emplace_back(line.substr(start, at - start), line.substr(at + kTestparmSeparator.size()));
    }
    return parameters;
}

SambaSettings Read()
{
    std::vector<std::string> arguments{kTestparmProgram, "-s", "-v"};
    if (std::string config = SambaConfigPath(); !config.empty())
        arguments.push_back(config);
    ProgramResult run = Use<IProgramRunner>().Run(arguments, {}, kSambaToolTimeout);
    SambaSettings settings;
    // testparm also lists the configuration when it finds fault with it (exit status 1).
    if (!run.started || run.timedOut) {
        settings.error = kErrorGenFailure;
        return settings;
    }
    settings.read = true;
    settings.global = GlobalParameters(run.output);
    settings.shares = ReadShareSections(run.output, kTestparmSeparator);
    return settings;
}

struct KeptSettings {
    std::mutex lock;
    std::optional<FileIdentity> readFrom;
    SambaSettings kept;
};

KeptSettings& Kept()
{
    static KeptSettings settings;
    return settings;
}

} // namespace

SambaSettings CurrentSambaSettings()
{
    KeptSettings& settings = Kept();
    std::lock_guard guard(settings.lock);
    auto& readFrom = settings.readFrom;
    auto& kept = settings.kept;
    std::string path = SambaConfigPath();
    FileIdentity identity = IdentityOf(path.empty() ? kSystemConfig : path);
    // A tool that could not be run is asked again next time.
    if (!readFrom || !(*readFrom == identity) || !kept.read) {
        kept = Read();
        readFrom = identity;
    }
    return kept;
}

void PrefetchSambaSettings()
{
    // Made before the read that uses them, so that they outlive it when the process ends.
    Kept();
    static std::mutex lock;
    static std::future<SambaSettings> read;
    std::lock_guard guard(lock);
    // A read ahead that is still under way ends first (the old future waits for it); the new one
    // then finds its answer kept, unless the configuration changed since.
    read = std::async(std::launch::async, CurrentSambaSettings);
}

std::optional<std::string> SambaSettings::Global(std::string_view name) const
{
    for (const auto& [key, value] : global)
        if (key == name)
            return value;
    return std::nullopt;
}

void ForgetSambaSettings()
{
    KeptSettings& settings = Kept();
    std::lock_guard guard(settings.lock);
    settings.readFrom.reset();
}

} // namespace platform
