#include "RunFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

struct RunFolderState {
    std::mutex lock;
    bool decided = false;
    bool made = false; // by this process, so it removes it
    std::string path;
    std::string failure;
};

RunFolderState& State()
{
    static RunFolderState state;
    return state;
}

// A folder of this user's that no one else may enter or write: fit to hold this run's files.
bool IsPrivateFolder(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & 077) == 0;
}

// The folder new run folders go into: $XDG_RUNTIME_DIR, else ~/.cache/tarrow (made, private).
std::string BaseFolder(std::string& failure)
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime && IsPrivateFolder(runtime))
        return runtime;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        failure = "there is no $XDG_RUNTIME_DIR and no home folder ($HOME) to make a private folder in";
        return {};
    }
    const std::string cache = std::string(home) + "/.cache";
    const std::string base = cache + "/tarrow";
    mkdir(cache.c_str(), 0700);
    if (mkdir(base.c_str(), 0700) != 0 && errno != EEXIST) {
        failure = "cannot make " + base + ": " + std::strerror(errno);
        return {};
    }
    if (!IsPrivateFolder(base)) {
        failure = base + " is not a folder of this account's that only it may enter";
        return {};
    }
    return base;
}

void Decide(RunFolderState& state)
{
    state.decided = true;
    if (const char* given = std::getenv(kRunFolderVariable); given && *given && IsPrivateFolder(given)) {
        state.path = given;
        return;
    }
    const std::string base = BaseFolder(state.failure);
    if (base.empty())
        return;
    std::string pattern = base + "/tarrow-run-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        state.failure = "cannot make a private folder in " + base + ": " + std::strerror(errno);
        return;
    }
    if (mkdir((pattern + "/js").c_str(), 0700) != 0) {
        state.failure = "cannot make " + pattern + "/js: " + std::strerror(errno);
        rmdir(pattern.c_str());
        return;
    }
    state.path = pattern;
    state.made = true;
    setenv(kRunFolderVariable, pattern.c_str(), 1);
}

} // namespace

CString RunFolder()
{
    RunFolderState& state = State();
    std::lock_guard guard(state.lock);
    if (!state.decided)
        Decide(state);
    return CString::FromUtf8(state.path);
}

CString RunFolderFailure()
{
    RunFolderState& state = State();
    std::lock_guard guard(state.lock);
    return CString::FromUtf8(state.failure);
}

void RemoveRunFolder()
{
    RunFolderState& state = State();
    std::lock_guard guard(state.lock);
    if (!state.made)
        return;
    std::error_code ignored;
    std::filesystem::remove_all(state.path, ignored);
    if (const char* named = std::getenv(kRunFolderVariable); named && state.path == named)
        unsetenv(kRunFolderVariable);
    state.decided = false;
    state.made = false;
    state.path.clear();
}

} // namespace platform
