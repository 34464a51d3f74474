#include "ctl/Password.h"

#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <termios.h>
#include <unistd.h>

namespace {

// Echo off on a terminal for as long as the object lives.
class EchoOff {
public:
    explicit EchoOff(int fd) : m_fd(fd)
    {
        if (tcgetattr(fd, &m_saved) != 0)
            return;
        termios quiet = m_saved;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        m_active = tcsetattr(fd, TCSAFLUSH, &quiet) == 0;
    }
    ~EchoOff()
    {
        if (m_active)
            tcsetattr(m_fd, TCSAFLUSH, &m_saved);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    int m_fd;
    termios m_saved{};
    bool m_active = false;
};

void DropLineEnd(std::string& line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
}

} // namespace

bool ReadPasswordLine(std::string& password)
{
    if (!std::getline(std::cin, password))
        return false;
    DropLineEnd(password);
    return true;
}

bool PromptPassword(const std::string& prompt, std::string& password)
{
    int fd = open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    bool read = false;
    {
        EchoOff echoOff(fd);
        if (write(fd, prompt.data(), prompt.size()) >= 0) {
            password.clear();
            char c;
            ssize_t n;
            while ((n = ::read(fd, &c, 1)) == 1 && c != '\n')
                password += c;
            read = n == 1 || !password.empty();
        }
    }
    (void)!write(fd, "\n", 1); // only for the eye: the typed line end was not echoed
    close(fd);
    DropLineEnd(password);
    return read;
}

bool GetPassword(bool fromStdin, const std::string& prompt, std::string& password, std::string& error)
{
    if (fromStdin ? ReadPasswordLine(password) : PromptPassword(prompt, password))
        return true;
    error = fromStdin ? "no password on standard input"
                      : "no terminal to ask for the password on: give it with --password-stdin";
    return false;
}
