#include "platform/core/RunProgram.h"

#include "platform/core/WriteAll.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
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

using Clock = std::chrono::steady_clock;

class Deadline {
public:
    explicit Deadline(int milliseconds)
        : m_limited(milliseconds != kNoTimeout), m_at(Clock::now() + std::chrono::milliseconds(milliseconds))
    {
    }
    bool Passed() const { return m_limited && Clock::now() >= m_at; }
    // What poll() waits at most: -1 without a limit.
    int PollMilliseconds() const
    {
        if (!m_limited)
            return -1;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_at - Clock::now()).count();
        return left > 0 ? static_cast<int>(left) : 0;
    }
    bool Limited() const { return m_limited; }

private:
    bool m_limited;
    Clock::time_point m_at;
};

// Reads until end of file or the deadline; false on time-out.
bool ReadUntilClosed(int fd, const Deadline& deadline, std::string& output)
{
    char chunk[4096];
    for (;;) {
        if (deadline.Passed())
            return false;
        pollfd watch{fd, POLLIN, 0};
        int ready = poll(&watch, 1, deadline.PollMilliseconds());
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

// Waits until the program has ended, without reaping it, so that its PID stays its own while a
// stop may still signal it; false when the deadline passed first. The deadline is kept through
// a process descriptor; a kernel without them waits without limit.
bool WaitForEnd(pid_t pid, const Deadline& deadline)
{
    if (deadline.Limited()) {
        int descriptor = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
        if (descriptor >= 0) {
            pollfd watch{descriptor, POLLIN, 0};
            int ready;
            while ((ready = poll(&watch, 1, deadline.PollMilliseconds())) < 0 && errno == EINTR) {
            }
            close(descriptor);
            if (ready == 0)
                return false;
        }
    }
    siginfo_t info{};
    while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
    }
    return true;
}

void Reap(pid_t pid, ProgramResult& result)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return;
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
}

// Starts the program; -1 when it could not be. in and out are the pipe ends it gets as its
// standard input and output (and error), or -1 for this process's own.
pid_t Spawn(const std::vector<std::string>& arguments, char* const* env, int in, int out)
{
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (in >= 0)
        posix_spawn_file_actions_adddup2(&actions, in, STDIN_FILENO);
    if (out >= 0) {
        posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out, STDERR_FILENO);
    }
    // No other handle of this process reaches the program.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    // Nor the blocked or ignored signals of the caller's thread: a stop by SIGTERM must end it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    int spawned = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), env);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

// Collects the end of a program that nobody waits for.
void ReapInBackground(pid_t pid)
{
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

} // namespace

ProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& input, RunOptions options)
{
    ProgramResult result;
    const bool captured = options.output == RunOptions::Output::Captured;
    // A captured run must be waited for to be read; a program of the user's gets no input of ours.
    if (arguments.empty() || (captured && options.wait == RunOptions::Wait::None) || (!captured && !input.empty()))
        return result;

    Pipe in;
    Pipe out;
    std::string localeEntry;
    std::vector<char*> localeEnvironment;
    if (captured) {
        if (!in.ok() || !out.ok())
            return result;
        // The input goes into the pipe before the program exists, so no write can meet a closed
        // pipe; the write never blocks, so a pipe that holds less fails instead of hanging.
        if (input.size() > kMaxProgramInput || fcntl(in.write(), F_SETFL, O_NONBLOCK) != 0 ||
            !platform::WriteAll(in.write(), input))
            return result;
        in.CloseWrite();
        localeEnvironment = CLocaleEnvironment(localeEntry);
    }
    pid_t pid = Spawn(arguments, captured ? localeEnvironment.data() : environ, captured ? in.read() : -1,
                      captured ? out.write() : -1);
    if (pid < 0)
        return result;
    result.started = true;
    if (options.wait == RunOptions::Wait::None) {
        ReapInBackground(pid);
        return result;
    }
    in.CloseRead();
    out.CloseWrite();

    ChildStop* stop = options.stop;
    if (stop && !stop->Attach(pid))
        kill(pid, SIGTERM);
    const Deadline deadline(options.timeoutMilliseconds);
    bool inTime = (!captured || ReadUntilClosed(out.read(), deadline, result.output)) && WaitForEnd(pid, deadline);
    if (!inTime) {
        result.timedOut = true;
        kill(pid, SIGKILL);
        WaitForEnd(pid, Deadline(kNoTimeout));
    }
    if (stop)
        stop->Detach();
    Reap(pid, result);
    if (result.timedOut) {
        result.exitCode = -1;
        result.signal = 0;
    }
    return result;
}

namespace {

class SpawningRunner : public IProgramRunner {
public:
    ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input,
                      RunOptions options) override
    {
        return RunProgram(arguments, input, options);
    }
};

} // namespace

IProgramRunner& IProgramRunner::Default()
{
    static SpawningRunner instance;
    return instance;
}

} // namespace platform
