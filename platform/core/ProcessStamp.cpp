#include "ProcessStamp.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace platform {

namespace {

// Field 22 of /proc/PID/stat; empty when the process does not exist. The command name (field 2,
// in parentheses) may hold blanks, so the fields are counted after its closing parenthesis.
std::string StartTimeOf(const std::string& pid)
{
    std::ifstream file("/proc/" + pid + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return {};
    std::istringstream fields(text.substr(close + 1));
    std::string field;
    for (int index = 3; index <= 22 && fields >> field; ++index)
        if (index == 22)
            return field;
    return {};
}

} // namespace

std::string ThisProcessStamp()
{
    const std::string pid = std::to_string(getpid());
    return pid + ":" + StartTimeOf(pid);
}

bool IsProcessRunning(const std::string& stamp)
{
    const std::size_t colon = stamp.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == stamp.size())
        return false;
    const std::string pid = stamp.substr(0, colon);
    if (pid.find_first_not_of("0123456789") != std::string::npos)
        return false;
    return StartTimeOf(pid) == stamp.substr(colon + 1);
}

} // namespace platform
