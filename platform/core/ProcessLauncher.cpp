#include "platform/core/ProcessLauncher.h"

#include "platform/core/CommandLine.h"
#include "platform/core/Paths.h"

#include <cerrno>
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
pid_t Spawn(const CString& programPath, const CString& commandLine)
{
    std::vector<std::string> arguments{ProgramFile(programPath)};
    for (const CString& argument : SplitCommandLine(commandLine))
        arguments.push_back(argument.ToUtf8());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // No handle of this process reaches the program; standard input and output stay.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    pid_t pid = -1;
    int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

class PosixProcessLauncher : public IProcessLauncher {
public:
    bool RunAndWait(const CString& programPath, const CString& commandLine, int& exitCode) override
    {
        pid_t pid = Spawn(programPath, commandLine);
        if (pid < 0)
            return false;
        int status = 0;
        while (waitpid(pid, &status, 0) < 0)
            if (errno != EINTR)
                return false;
        exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return true;
    }

    bool Start(const CString& programPath, const CString& commandLine) override
    {
        pid_t pid = Spawn(programPath, commandLine);
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
