#include "ctl/Confirm.h"

#include <cstdio>

bool ConfirmOnTerminal(const std::string& question)
{
    std::FILE* tty = std::fopen("/dev/tty", "r+e");
    if (!tty)
        return false;
    std::fputs(question.c_str(), tty);
    std::fflush(tty);
    char answer[16] = {};
    bool yes = std::fgets(answer, sizeof answer, tty) && (answer[0] == 'y' || answer[0] == 'Y');
    std::fclose(tty);
    return yes;
}
