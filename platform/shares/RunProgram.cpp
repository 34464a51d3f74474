#include "RunProgram.h"

#include "platform/core/WriteAll.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

class Pipe {
public:
    Pipe() { m_ok = pipe2(m_fds, O_CLOEXEC) == 0; }
    ~Pipe() { CloseRead(); CloseWrite(); }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    bool ok() const { return m_ok; }
    int read() const { return m_fds[0]; }
    int write() const { return m_fds[1]; }
    void CloseRead() { Close(m_fds[0]); }
    void CloseWrite() { Close(m_fds[1]); }

private:
    static void Close(int& fd)
    {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
    int m_fds[2] = {-1, -1};
    bool m_ok = false;
};

// The process's environment with LC_ALL=C in front; the strings stay owned by the caller.
std::vector<char*> CLocaleEnvironment(std::string& localeEntry)
{
    localeEntry = "LC_ALL=C";
    std::vector<char*> env{localeEntry.data()};
    for (char** entry = environ; *entry; ++entry)
        if (std::strncmp(*entry, "LC_ALL=", 7) != 0)
            env.push_back(*entry);
    env.push_back(nullptr);
    return env;
}

// Reads until end of file or the deadline; false on time-out.
bool ReadUntilClosed(int fd, std::chrono::steady_clock::time_point deadline, std::string& output)
{
    char chunk[4096];
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd watch{fd, POLLIN, 0};
        int ready = poll(&watch, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            return false;
        if (ready < 0)
            return true;
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return true;
        output.append(chunk, static_cast<std::size_t>(n));
    }
}

int WaitForExit(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

ProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& input,
                         int timeoutMilliseconds)
{
    ProgramResult result;
    if (arguments.empty())
        return result;
    Pipe in;
    Pipe out;
    if (!in.ok() || !out.ok())
        return result;
    // The input goes into the pipe before the program exists, so no write can meet a closed pipe;
    // the write never blocks, so a pipe that holds less fails instead of hanging.
    if (input.size() > kMaxProgramInput || fcntl(in.write(), F_SETFL, O_NONBLOCK) != 0 ||
        !platform::WriteAll(in.write(), input))
        return result;
    in.CloseWrite();

    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::string localeEntry;
    std::vector<char*> env = CLocaleEnvironment(localeEntry);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.read(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out.write(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out.write(), STDERR_FILENO);
    pid_t pid = -1;
    int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    result.started = true;
    in.CloseRead();
    out.CloseWrite();

    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    if (!ReadUntilClosed(out.read(), deadline, result.output)) {
        result.timedOut = true;
        kill(pid, SIGKILL);
    }
    result.exitCode = WaitForExit(pid);
    if (result.timedOut)
        result.exitCode = -1;
    return result;
}

namespace {

class SpawningRunner : public IProgramRunner {
public:
    ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input,
                      int timeoutMilliseconds) override
    {
        return RunProgram(arguments, input, timeoutMilliseconds);
    }
};

} // namespace

IProgramRunner& IProgramRunner::Default()
{
    static SpawningRunner instance;
    return instance;
}

} // namespace platform
