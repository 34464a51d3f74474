#include "DataFile.h"

#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"

#include <fcntl.h>
#include <unistd.h>

CString DataFilePath()
{
    return platform::Use<platform::ISystemInfo>().GetModuleFolder() + u"\\" + kDataFileName;
}

bool CanOpenForReading(const CString& path)
{
    auto posix = platform::ToPosixPath(path);
    int fd = posix ? open(posix->c_str(), O_RDONLY | O_CLOEXEC) : -1;
    if (fd < 0)
        return false;
    close(fd);
    return true;
}
