// Directories, file attributes and the current directory, with the Windows result numbers that
// the system's callers tell apart (platform/fs/WinErrors.h). Paths are in Windows or POSIX form
// and pass through platform::ToPosixPath after Windows' full-path step
// (platform::WithoutTrailingBlanksAndDots): "C:\T\Trail " is the folder "C:\T\Trail".
#pragma once

#include "platform/core/CString.h"

#include <span>

namespace platform {

inline constexpr unsigned kFileAttributeDirectory = 0x10;
inline constexpr unsigned kFileAttributeNormal = 0x80;

class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    // Creates the directory and every missing parent. The directory itself is private to its
    // owner (mode 0700: scans are private documents; entries for others are added by
    // IDirectoryRights); parents made on the way get the usual mode. 0 on success; 183 when a directory of
    // that name exists and 80 when a file does; 3 when the path cannot be reached (a parent is
    // a file, an unmapped drive); 5 access denied; 206 a name too long; 161 for a relative path,
    // which, as on Windows, is not accepted; 53 for a network path (\\server\share), which
    // is never created on this computer.
    virtual int CreateDirectoryTree(const CString& path) = 0;

    // 0 with the attributes (directory 0x10, else normal 0x80); else 2 when only the last part
    // is missing, 3 when a parent is, or another error number. A dangling symbolic link exists.
    virtual int GetFileAttributes(const CString& path, unsigned& attributes) = 0;

    virtual bool SetCurrentDirectory(const CString& path) = 0;

    // Removes the directory when it is empty. 0; 145 when it is not empty; 2 or 3 when it is
    // missing; 5 access denied; another error number.
    virtual int RemoveDirectory(const CString& path) = 0;

    // The absolute, normalized POSIX form of path (relative paths against the current
    // directory), written with a terminator into buffer. Returns its length without the
    // terminator; when buffer is too small, the size it needs including the terminator and
    // buffer untouched; 0 when the path cannot be expanded (empty, unmapped drive).
    virtual unsigned GetFullPathName(const CString& path, std::span<char16_t> buffer) = 0;

    static constexpr const char* kServiceName = "FileSystem";
    static IFileSystem& Default();
};

// Whether both paths name one existing directory (the same file system object, however reached).
bool IsSameDirectory(const CString& a, const CString& b);

} // namespace platform
