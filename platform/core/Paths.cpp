#include "Paths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace platform {

namespace {

// A folder that only this user can change: a directory (not a link), owned by the user, without
// write access for group and others.
bool IsPrivateFolder(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// The user's runtime folder when it is what it should be: owned by the user, mode 0700.
std::string PrivateRuntimeFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (!runtime || !*runtime || stat(runtime, &info) != 0)
        return {};
    bool owned = S_ISDIR(info.st_mode) && info.st_uid == geteuid() && (info.st_mode & 07777) == 0700;
    return owned ? runtime : std::string();
}

// The folder under which tarrow lies, or empty when the user has none of the three. Never a
// folder shared by all users such as /tmp: a link planted there would lead the log elsewhere.
std::string DefaultStateBase()
{
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state)
        return state;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.local/state";
    return PrivateRuntimeFolder();
}

bool IsDriveLetter(char16_t ch)
{
    return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z');
}

} // namespace

std::string StateFolder()
{
    std::string base = DefaultStateBase();
    if (base.empty())
        return {};
    std::error_code ignored;
    std::filesystem::create_directories(base, ignored);
    const std::string tarrow = base + "/tarrow";
    mkdir(tarrow.c_str(), 0700);
    return IsPrivateFolder(tarrow) ? tarrow : std::string();
}

std::string PrivateStateFolder(const std::string& name)
{
    const std::string tarrow = StateFolder();
    if (tarrow.empty())
        return {};
    const std::string folder = tarrow + "/" + name;
    mkdir(folder.c_str(), 0700);
    return IsPrivateFolder(folder) ? folder : std::string();
}

std::string DriveCRoot()
{
    if (const char* overridden = std::getenv(kDriveCVariable); overridden && *overridden)
        return overridden;
    return PrivateStateFolder("C");
}

std::optional<std::string> ToPosixPath(const CString& path)
{
    CString rest = path;
    std::string prefix;
    if (path.GetLength() >= 2 && path[1] == u':' && IsDriveLetter(path[0])) {
        if (path[0] != u'C' && path[0] != u'c')
            return std::nullopt;
        prefix = DriveCRoot();
        if (prefix.empty())
            return std::nullopt;
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

CString ToDisplayPath(const CString& path)
{
    if (auto posix = ToPosixPath(path))
        return CString::FromUtf8(*posix);
    std::u16string text = path.str();
    std::replace(text.begin(), text.end(), u'\\', u'/');
    return CString(text);
}

} // namespace platform
