#include "DataFile.h"

#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CString DataFilePath()
{
    const CString folder = platform::Use<platform::ISystemInfo>().GetRunFolder();
    return folder.IsEmpty() ? CString() : folder + u"/" + kDataFileName;
}

bool CanOpenForReading(const CString& path)
{
    auto posix = platform::ToPosixPath(path);
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    int fd = posix ? open(posix->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (fd < 0)
        return false;
    struct stat info {};
    bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    return regular;
}
