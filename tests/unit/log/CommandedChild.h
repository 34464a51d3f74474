// A second process for the log tests: a forked child that runs one-letter commands sent to it
// over a pipe and answers each with the same letter once it is done. Killed in the destructor.
// Like a program started by exec, the child keeps none of the parent's descriptors (a forked child
// would otherwise share the parent's open log files, and with them their locks).
#pragma once

#include "support/WaitFor.h"

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <functional>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

class CommandedChild {
public:
    // onCommand runs in the child for every letter; the child ends when the pipe closes.
    explicit CommandedChild(const std::function<void(char)>& onCommand)
    {
        int commands[2];
        int answers[2];
        if (pipe(commands) != 0 || pipe(answers) != 0)
            return;
        m_pid = fork();
        if (m_pid < 0) {
            for (int fd : {commands[0], commands[1], answers[0], answers[1]})
                close(fd);
            return;
        }
        if (m_pid == 0) {
            CloseAllBut(commands[0], answers[1]);
            for (char letter; read(commands[0], &letter, 1) == 1;) {
                onCommand(letter);
                if (write(answers[1], &letter, 1) != 1)
                    break;
            }
            _exit(0);
        }
        close(commands[0]);
        close(answers[1]);
        m_commands = commands[1];
        m_answers = answers[0];
    }

    ~CommandedChild()
    {
        if (m_commands >= 0)
            close(m_commands);
        if (m_answers >= 0)
            close(m_answers);
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    CommandedChild(const CommandedChild&) = delete;
    CommandedChild& operator=(const CommandedChild&) = delete;

    // Sends the letter and waits (bounded) for the child's answer; false when none came.
    bool Run(char letter)
    {
        if (m_pid <= 0 || write(m_commands, &letter, 1) != 1)
            return false;
        char answer = 0;
        bool answered = WaitFor([&] {
            pollfd ready{m_answers, POLLIN, 0};
            return poll(&ready, 1, 0) == 1;
        });
        return answered && read(m_answers, &answer, 1) == 1 && answer == letter;
    }

private:
    static void CloseAllBut(int first, int second)
    {
        std::vector<int> open;
        if (DIR* dir = opendir("/proc/self/fd")) {
            while (const dirent* entry = readdir(dir))
                if (entry->d_name[0] != '.')
                    open.push_back(std::atoi(entry->d_name));
            closedir(dir);
        }
        for (int fd : open)
            if (fd > 2 && fd != first && fd != second)
                close(fd);
    }

    pid_t m_pid = -1;
    int m_commands = -1;
    int m_answers = -1;
};
