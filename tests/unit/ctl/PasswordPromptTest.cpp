// The password prompt on a real (pseudo) terminal: what is typed is read, and never echoed.
#include "ctl/Password.h"

#include "support/WaitFor.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Reads what the terminal shows until text appears or a second has passed.
std::string ReadUntil(int master, const std::string& text, std::string shown = {})
{
    WaitFor([&] {
        pollfd ready{master, POLLIN, 0};
        if (poll(&ready, 1, 20) == 1) {
            char buffer[256];
            ssize_t n = read(master, buffer, sizeof buffer);
            if (n > 0)
                shown.append(buffer, static_cast<std::size_t>(n));
        }
        return shown.find(text) != std::string::npos;
    }, std::chrono::seconds(1));
    return shown;
}

} // namespace

TEST(PasswordPromptTest, TheTypedLineIsReadWithoutEcho)
{
    int result[2];
    ASSERT_EQ(pipe(result), 0);
    int master = -1;
    pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::string password;
        bool read = PromptPassword("Password of alice: ", password);
        std::string answer = (read ? "read:" : "none:") + password;
        (void)!write(result[1], answer.data(), answer.size());
        _exit(0);
    }
    close(result[1]);
    std::string shown = ReadUntil(master, "Password of alice: ");
    ASSERT_NE(shown.find("Password of alice: "), std::string::npos) << shown;
    ASSERT_EQ(write(master, "s3cret word\r", 12), 12);
    shown = ReadUntil(master, "\n", shown);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    char answer[64] = {};
    ASSERT_GT(read(result[0], answer, sizeof answer - 1), 0);
    close(result[0]);
    close(master);
    EXPECT_EQ(std::string(answer), "read:s3cret word");
    EXPECT_EQ(shown.find("s3cret"), std::string::npos) << "the password was echoed: " << shown;
}

TEST(PasswordPromptTest, WithoutATerminalStandardInputIsTheOnlyWay)
{
    std::string password, error;
    if (int tty = open("/dev/tty", O_RDWR | O_NOCTTY); tty >= 0) {
        close(tty);
        GTEST_SKIP() << "run from a terminal: it would ask there";
    }
    EXPECT_FALSE(GetPassword(false, "Password: ", password, error));
    EXPECT_EQ(error, "no terminal to ask for the password on: give it with --password-stdin");
}
