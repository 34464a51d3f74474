#include "platform/core/ProcessLauncher.h"

#include "platform/core/Paths.h"

#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace platform {

namespace {

std::string ProgramFile(const CString& programPath)
{
    std::string path = ToPosixPathOrMissing(programPath);
    struct stat info {};
    const std::string extension = ".exe";
    if (stat(path.c_str(), &info) != 0 && path.ends_with(extension))
        path.resize(path.size() - extension.size());
    return path;
}

// The program's process, or -1 when it could not be started.
pid_t Spawn(const CString& programPath, const CStringList& arguments)
{
    std::vector<std::string> texts{ProgramFile(programPath)};
    for (const CString& argument : arguments)
        texts.push_back(argument.ToUtf8());
    std::vector<char*> argv;
    for (std::string& argument : texts)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // No handle of this process reaches the program; standard input and output stay.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    // Nor its blocked or ignored signals (the caller's thread may block some): a stop by SIGTERM
    // must end the program.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    int spawned = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

class PosixProcessLauncher : public IProcessLauncher {
public:
    bool RunAndWait(const CString& programPath, const CStringList& arguments, int& exitCode, ChildStop* stop) override
    {
        pid_t pid = Spawn(programPath, arguments);
        if (pid < 0)
            return false;
        if (stop && !stop->Attach(pid))
            kill(pid, SIGTERM);
        // Waited for without reaping: until the stop lets go of the PID, no other process can
        // have it.
        siginfo_t info {};
        while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
        }
        if (stop)
            stop->Detach();
        int status = 0;
        while (waitpid(pid, &status, 0) < 0)
            if (errno != EINTR)
                return false;
        exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return true;
    }

    bool Start(const CString& programPath, const CStringList& arguments) override
    {
        pid_t pid = Spawn(programPath, arguments);
        if (pid < 0)
            return false;
        std::thread([pid] {
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
        return true;
    }
};

} // namespace

IProcessLauncher& IProcessLauncher::Default()
{
    static PosixProcessLauncher instance;
    return instance;
}

} // namespace platform
