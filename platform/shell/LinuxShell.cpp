#include "Shell.h"

#include "platform/core/Environment.h"
#include "platform/core/RunProgram.h"
#include "platform/core/Services.h"

#include "platform/core/WriteAll.h"
#include "DesktopEntry.h"
#include "XdgUserDirs.h"
#include "platform/core/Paths.h"
#include "platform/fs/WinErrors.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr mode_t kDesktopFolderMode = 0755;
constexpr mode_t kLinkFileMode = 0755;
constexpr int kLinkFileChanged = 1;

std::string UserDirsFile(const std::string& home)
{
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return std::string(config) + "/user-dirs.dirs";
    return home + "/.config/user-dirs.dirs";
}

std::string DesktopFolder(const std::string& home)
{
    std::ifstream file(UserDirsFile(home));
    std::stringstream text;
    text << file.rdbuf();
    return ReadUserDir(text.str(), "XDG_DESKTOP_DIR", home).value_or(home + "/Desktop");
}

class LinuxShell : public IShell {
public:
    int GetDesktopDirectory(CString& path) override
    {
        std::string home = HomeFolder();
        if (home.empty())
            return kEFail;
        path = CString::FromUtf8(DesktopFolder(home));
        return kSOk;
    }

    int CreateLinkFile(const CString& target, const CString& description, const CString& linkPath) override
    {
        std::string text = LinkFileText(ToPosixPathOrMissing(target), description.ToUtf8());
        std::string link = ToPosixPathOrMissing(linkPath);
        // A desktop folder that a desktop session has not made yet is made here, as it would.
        std::size_t slash = link.rfind('/');
        std::string folder = slash == std::string::npos ? std::string() : link.substr(0, slash);
        if (!folder.empty() && mkdir(folder.c_str(), kDesktopFolderMode) != 0 && errno != EEXIST)
            return HResultFromWin32(WinErrorFromErrno(errno));
        // File managers open only link files that are executable (trusted) on the desktop.
        int fd = open(link.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kLinkFileMode);
        if (fd < 0)
            return HResultFromWin32(WinErrorFromErrno(errno));
        bool written = platform::WriteAll(fd, text) && fchmod(fd, kLinkFileMode) == 0;
        int error = errno;
        if (close(fd) != 0 && written) {
            written = false;
            error = errno;
        }
        return written ? kSOk : HResultFromWin32(WinErrorFromErrno(error));
    }

    int RemoveLinkFile(const CString& target, const CString& description, const CString& linkPath) override
    {
        std::string link = ToPosixPathOrMissing(linkPath);
        std::ifstream file(link, std::ios::binary);
        if (!file)
            return errno == ENOENT ? kErrorFileNotFound : WinErrorFromErrno(errno);
        std::stringstream text;
        text << file.rdbuf();
        if (text.str() != LinkFileText(ToPosixPathOrMissing(target), description.ToUtf8()))
            return kLinkFileChanged;
        return unlink(link.c_str()) == 0 ? 0 : WinErrorFromErrno(errno);
    }

    void NotifyShareCreated(const CString&) override {}

    bool OpenTextFile(const CString& path) override
    {
        // The desktop's opener runs on by itself: it is started, not waited for.
        const RunOptions options(kNoTimeout, nullptr, RunOptions::Output::ToUser, RunOptions::Wait::None);
        return Use<IProgramRunner>().Run({"/usr/bin/xdg-open", ToPosixPathOrMissing(path)}, {}, options).started;
    }
};

} // namespace

IShell& IShell::Default()
{
    static LinuxShell instance;
    return instance;
}

} // namespace platform
