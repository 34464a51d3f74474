// One yes-or-no question on the terminal, for a step that changes the system.
#pragma once

#include <string>

// Asks on /dev/tty; true only for an answer that begins with y or Y. False without a terminal.
bool ConfirmOnTerminal(const std::string& question);
