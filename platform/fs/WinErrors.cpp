#include "WinErrors.h"

#include <cerrno>

namespace platform {

int WinErrorFromErrno(int error)
{
    switch (error) {
    case 0:
        return kErrorSuccess;
    case ENOENT:
    case ENOTDIR:
        return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return kErrorAccessDenied;
    case EEXIST:
        return kErrorAlreadyExists;
    case ENOTEMPTY:
        return kErrorDirNotEmpty;
    case ENAMETOOLONG:
        return kErrorFilenameTooLong;
    case ENOMEM:
        return kErrorNotEnoughMemory;
    case ENOSPC:
    case EDQUOT:
        return kErrorDiskFull;
    case EINVAL:
        return kErrorInvalidParameter;
    default:
        return kErrorGenFailure;
    }
}

} // namespace platform
