#include "platform/core/RunProgram.h"
#include "support/WaitFor.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <thread>
#include <vector>

using platform::RunProgram;

TEST(RunProgram, ArgumentsReachTheProgramAsTheyAre)
{
    auto run = RunProgram({"printf", "[%s]", "two words", "$HOME", "'; rm -rf x"});
    EXPECT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "[two words][$HOME]['; rm -rf x]");
}

TEST(RunProgram, InputExitCodeAndBothOutputStreams)
{
    auto run = RunProgram({"sh", "-c", "read a; echo out $a; echo err >&2; exit 7"}, "given\n");
    EXPECT_EQ(run.exitCode, 7);
    EXPECT_EQ(run.output, "out given\nerr\n");
    EXPECT_EQ(RunProgram({"sh", "-c", "echo $LC_ALL"}).output, "C\n");
}

TEST(RunProgram, AMissingProgramDoesNotStartAndASlowOneIsKilled)
{
    EXPECT_FALSE(RunProgram({"/nonexistent/program"}).started);
    EXPECT_EQ(RunProgram({"sh", "-c", "kill -KILL $$"}).exitCode, -1); // ended by a signal

    auto begin = std::chrono::steady_clock::now();
    auto run = RunProgram({"sleep", "30"}, "", 200);
    EXPECT_TRUE(run.timedOut);
    EXPECT_EQ(run.exitCode, -1);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
}

TEST(RunProgram, InputUpToOnePipeFullReachesTheProgramAndMoreStartsNothing)
{
    std::string input(platform::kMaxProgramInput, 'i');
    input.front() = 'a';
    input.back() = 'z';
    auto run = RunProgram({"/bin/cat"}, input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, input);

    std::string marker = std::string(std::getenv("HOME")) + "/started";
    run = RunProgram({"/bin/sh", "-c", "touch \"$0\"; cat", marker}, input + "!");
    EXPECT_FALSE(run.started);
    EXPECT_EQ(run.exitCode, -1);
    EXPECT_EQ(run.output, "");
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST(RunProgram, TheDefaultRunnerRunsTheProgram)
{
    auto run = platform::IProgramRunner::Default().Run({"/bin/sh", "-c", "cat; exit 3"}, "in", 5000);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.output, "in");
}

// A run closes its own pipes only: the caller's standard streams stay open.
TEST(RunProgram, TheCallersStandardStreamsStayOpen)
{
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        ASSERT_NE(fcntl(fd, F_GETFD), -1) << fd;
    for (int round = 0; round < 3; ++round)
        EXPECT_EQ(RunProgram({"/bin/cat"}, "x").output, "x");
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        EXPECT_NE(fcntl(fd, F_GETFD), -1) << fd;
}

// With descriptors left for one pipe only, nothing starts and nothing is waited for.
TEST(RunProgram, WithoutDescriptorsForBothPipesNothingStarts)
{
    pid_t child = fork();
    if (child == 0) {
        // A small limit, every descriptor under it taken, then two given back.
        rlimit limit{64, 64};
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0)
            _exit(2);
        std::vector<int> taken;
        for (int fd; (fd = open("/dev/null", O_RDONLY)) >= 0;)
            taken.push_back(fd);
        if (taken.size() < 2)
            _exit(3);
        close(taken[taken.size() - 1]);
        close(taken[taken.size() - 2]);
        auto run = RunProgram({"/bin/true"}, "", 2000);
        _exit(!run.started && !run.timedOut ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

namespace {

using Options = platform::RunOptions;

// A program of ours that talks to the user: this process's streams, the user's locale.
Options ToUser(platform::ChildStop* stop = nullptr, int timeout = platform::kNoTimeout)
{
    return Options(timeout, stop, Options::Output::ToUser, Options::Wait::UntilEnd);
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(RunProgram, AProgramOfTheUsersGetsNoOpenFileAndKeepsTheLocaleAndASignalIsTold)
{
    const std::string out = std::string(std::getenv("HOME")) + "/user-program.txt";
    int inherited = open("/", O_RDONLY); // without O_CLOEXEC
    ASSERT_GE(inherited, 3);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    auto run = RunProgram({"/bin/sh", "-c", "ls /proc/self/fd > \"$0\"; echo \"[$LC_ALL]\" >> \"$0\"; exit 4", out}, {},
                          ToUser());
    unsetenv("LC_ALL");
    close(inherited);
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(FileText(out), "0\n1\n2\n3\n[de_DE.UTF-8]\n"); // 3: the listing's own folder

    run = RunProgram({"/bin/sh", "-c", "kill -TERM $$"}, {}, ToUser());
    EXPECT_EQ(run.exitCode, -1);
    EXPECT_EQ(run.signal, SIGTERM);
    EXPECT_FALSE(RunProgram({"/bin/cat"}, "input is for tools only", ToUser()).started);
}

TEST(RunProgram, AStopEndsTheProgramAndAnEndedStopEndsTheNextAtOnce)
{
    platform::ChildStop stop;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stop.Stop();
    });
    auto begin = std::chrono::steady_clock::now();
    auto run = RunProgram({"sleep", "30"}, {}, ToUser(&stop));
    stopper.join();
    EXPECT_EQ(run.signal, SIGTERM);
    run = RunProgram({"sleep", "30"}, {}, ToUser(&stop));
    EXPECT_EQ(run.signal, SIGTERM);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));

    run = RunProgram({"sleep", "30"}, {}, ToUser(nullptr, 200));
    EXPECT_TRUE(run.timedOut);
    EXPECT_EQ(run.signal, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
}

TEST(RunProgram, AStartedProgramRunsOnWithoutBeingWaitedFor)
{
    const std::string out = std::string(std::getenv("HOME")) + "/started.txt";
    const Options started(platform::kNoTimeout, nullptr, Options::Output::ToUser, Options::Wait::None);
    auto run = RunProgram({"/bin/sh", "-c", "sleep 0.2; echo ran > \"$0\"", out}, {}, started);
    EXPECT_TRUE(run.started);
    EXPECT_FALSE(std::filesystem::exists(out)); // returned before the program's end
    EXPECT_TRUE(WaitFor([&] { return FileText(out) == "ran\n"; }));
    EXPECT_FALSE(RunProgram({"/nonexistent/program"}, {}, started).started);
    // A tool's answer cannot be read without waiting for it: nothing starts.
    EXPECT_FALSE(RunProgram({"/bin/true"}, {}, Options(1000, nullptr, Options::Output::Captured, Options::Wait::None))
                     .started);
}
