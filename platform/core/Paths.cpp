#include "Paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

std::string DefaultDriveCRoot()
{
    std::string base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state)
        base = state;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.local/state";
    else
        base = "/tmp";
    return base + "/tarrow/C";
}

bool IsDriveLetter(char16_t ch)
{
    return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z');
}

} // namespace

std::string DriveCRoot()
{
    if (const char* overridden = std::getenv(kDriveCVariable); overridden && *overridden)
        return overridden;
    std::string root = DefaultDriveCRoot();
    std::error_code ignored;
    std::filesystem::create_directories(root, ignored);
    return root;
}

std::optional<std::string> ToPosixPath(const CString& path)
{
    CString rest = path;
    std::string prefix;
    if (path.GetLength() >= 2 && path[1] == u':' && IsDriveLetter(path[0])) {
        if (path[0] != u'C' && path[0] != u'c')
            return std::nullopt;
        prefix = DriveCRoot();
        rest = path.Mid(2);
        if (rest.IsEmpty() || (rest[0] != u'\\' && rest[0] != u'/'))
            rest = u"/" + rest;
    }
    rest.Replace(u"\\", u"/");
    return prefix + rest.ToUtf8();
}

std::string ToPosixPathOrMissing(const CString& path)
{
    auto posix = ToPosixPath(path);
    return posix ? *posix : std::string("/nonexistent-drive/") + path.ToUtf8();
}

} // namespace platform
