#include "platform/core/Environment.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace platform {

namespace {

bool SameNameNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    std::vector<char> buffer(16384);
    passwd entry {};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

namespace {

class ProcessEnvironment : public IEnvironment {
public:
    bool GetVariable(const CString& name, CString& value) override
    {
        const std::string wanted = name.ToUtf8();
        // An exact match first: Linux may hold names that differ in case only.
        if (const char* exact = std::getenv(wanted.c_str())) {
            value = CString::FromUtf8(exact);
            return true;
        }
        for (char** entry = environ; *entry; ++entry) {
            const char* equals = std::strchr(*entry, '=');
            if (equals && SameNameNoCase(std::string_view(*entry, equals - *entry), wanted)) {
                value = CString::FromUtf8(equals + 1);
                return true;
            }
        }
        if (SameNameNoCase(wanted, "HomeDrive")) {
            std::string home = HomeFolder();
            if (home.empty())
                return false;
            value = CString::FromUtf8(home);
            return true;
        }
        return false;
    }
};

} // namespace

IEnvironment& IEnvironment::Default()
{
    static ProcessEnvironment instance;
    return instance;
}

} // namespace platform
