#include "AtomicFile.h"

#include "WriteAll.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int WriteFileAtomically(const std::string& path, std::string_view text, mode_t mode)
{
    std::string temporary = path + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0)
        return errno;
    bool written = fchmod(fd, mode) == 0 && WriteAll(fd, text);
    int error = errno;
    if (close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && rename(temporary.c_str(), path.c_str()) == 0)
        return 0;
    if (written)
        error = errno;
    unlink(temporary.c_str());
    return error;
}

} // namespace platform
