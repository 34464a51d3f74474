// The Windows error numbers that the system's callers tell apart, and the mapping of Linux
// errno values onto them.
#pragma once

namespace platform {

inline constexpr int kErrorSuccess = 0;
inline constexpr int kErrorFileNotFound = 2;
inline constexpr int kErrorPathNotFound = 3;
inline constexpr int kErrorAccessDenied = 5;
inline constexpr int kErrorNotEnoughMemory = 8;
inline constexpr int kErrorGenFailure = 31;
inline constexpr int kErrorNotSupported = 50;
inline constexpr int kErrorBadNetPath = 53;
inline constexpr int kErrorFileExists = 80;
inline constexpr int kErrorInvalidParameter = 87;
inline constexpr int kErrorDiskFull = 112;
inline constexpr int kErrorInvalidName = 123;
inline constexpr int kErrorInvalidLevel = 124;
inline constexpr int kErrorDirNotEmpty = 145;
inline constexpr int kErrorBadPathname = 161;
inline constexpr int kErrorAlreadyExists = 183;
inline constexpr int kErrorFilenameTooLong = 206;
inline constexpr int kErrorMoreData = 234;
inline constexpr int kErrorNoneMapped = 1332;

// Access denied for EACCES, EPERM and EROFS; path not found for ENOENT and ENOTDIR; name too long
// for ENAMETOOLONG; directory not empty for ENOTEMPTY; the general failure for anything without a closer Windows number.
int WinErrorFromErrno(int error);

} // namespace platform
