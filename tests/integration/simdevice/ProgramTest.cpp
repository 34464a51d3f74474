// The stand-alone program: start, serve, stop on SIGTERM, and refuse addresses off loopback.
#include "integration/simdevice/DevicePost.h"
#include "integration/simdevice/LibraryPayloads.h"

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace {

struct Program {
    pid_t pid = -1;
    int output = -1;  // stdout and stderr together
};

Program Launch(std::vector<std::string> args)
{
    args.insert(args.begin(), SIMDEVICE_PROGRAM);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    EXPECT_EQ(pipe(pipeFds), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    Program program;
    EXPECT_EQ(posix_spawn(&program.pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    program.output = pipeFds[0];
    return program;
}

// The first line of output, waiting at most a few seconds for it.
std::string FirstLine(const Program& program)
{
    std::string line;
    char c = 0;
    pollfd ready{program.output, POLLIN, 0};
    while (poll(&ready, 1, 5000) == 1 && read(program.output, &c, 1) == 1 && c != '\n')
        line += c;
    return line;
}

int ExitCode(const Program& program)
{
    int status = 0;
    waitpid(program.pid, &status, 0);
    close(program.output);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(Program, ServesUntilTerminatedAndExitsCleanly)
{
    const Program program = Launch({"--address", "127.0.0.3:0", "--folders", "2", "--profile", "unmanaged-no-feature"});
    const std::string line = FirstLine(program);
    ASSERT_EQ(line.rfind("listening on 127.0.0.3:", 0), 0u) << line;
    const std::string address = line.substr(std::string("listening on ").size());

    EXPECT_NE(PostXml(address, payloads::kGetNumberOfFolders).body.find("DbNumRecs=\"2\""), std::string::npos);
    EXPECT_NE(PostXml(address, payloads::kGetMfpRecord).body.find("KL3100"), std::string::npos);

    kill(program.pid, SIGTERM);
    EXPECT_EQ(ExitCode(program), 0);
}

TEST(Program, RefusesAddressesOutsideLoopback)
{
    for (const char* address : {"192.168.1.20:443", "0.0.0.0", "printer.example"}) {
        const Program program = Launch({"--address", address});
        const std::string line = FirstLine(program);
        EXPECT_NE(ExitCode(program), 0) << address;
        EXPECT_NE(line.find("127.0.0.0/8"), std::string::npos) << line;
    }
}
