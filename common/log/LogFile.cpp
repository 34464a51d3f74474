#include "LogFile.h"

#include "platform/core/Paths.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// This process's descriptors that append to the file (its log streams, in any module), other
// than probe. Without /proc none are found, and the process's own streams then block its deletion.
std::vector<int> OwnStreamsOf(const struct stat& file, int probe)
{
    std::vector<int> own;
    DIR* dir = opendir("/proc/self/fd");
    if (!dir)
        return own;
    const int listing = dirfd(dir);
    while (const dirent* entry = readdir(dir)) {
        char* end = nullptr;
        long fd = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || fd == probe || fd == listing)
            continue;
        int flags = fcntl(static_cast<int>(fd), F_GETFL);
        struct stat info {};
        if (flags >= 0 && (flags & O_APPEND) && fstat(static_cast<int>(fd), &info) == 0 && SameFile(info, file))
            own.push_back(static_cast<int>(fd));
    }
    closedir(dir);
    return own;
}

// Whether path still names the file that fd has open (it was not replaced meanwhile).
bool StillNamed(const std::string& path, const struct stat& file)
{
    struct stat named {};
    return lstat(path.c_str(), &named) == 0 && SameFile(named, file);
}

} // namespace

int OpenLogFile(const std::string& posixPath)
{
    // A deletion may unlink the file while this open waits for its lock: then open the new one.
    for (int attempt = 0; attempt < 3; ++attempt) {
        // O_NONBLOCK: a FIFO in the file's place must not stop the program at open.
        int fd = open(posixPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
        if (fd < 0)
            return -1;
        struct stat info {};
        if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flock(fd, LOCK_SH) != 0) {
            close(fd);
            return -1;
        }
        if (fstat(fd, &info) == 0 && info.st_nlink > 0)
            return fd;
        close(fd);
    }
    return -1;
}

void DeleteLogFile(const CString& path)
{
    auto posix = platform::ToPosixPath(path);
    if (!posix)
        return;
    int probe = open(posix->c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0) {
        if (errno == ELOOP)
            unlink(posix->c_str()); // removes the link only
        return;
    }
    struct stat file {};
    if (fstat(probe, &file) != 0 || !S_ISREG(file.st_mode)) {
        close(probe);
        return;
    }

    const std::vector<int> own = OwnStreamsOf(file, probe);
    for (int fd : own)
        flock(fd, LOCK_UN);
    if (flock(probe, LOCK_EX | LOCK_NB) == 0 && StillNamed(*posix, file)) {
        // Only this process's streams hold the file: empty it through one of them, so that all of
        // them keep writing to the file that stays named. A deletion that fails is ignored.
        [[maybe_unused]] bool done = own.empty() ? unlink(posix->c_str()) == 0 : ftruncate(own.front(), 0) == 0;
    }
    close(probe);
    for (int fd : own)
        flock(fd, LOCK_SH);
}
