#include "FileSystem.h"

#include "WinErrors.h"
#include "WindowsPath.h"
#include "platform/core/Paths.h"
#include "platform/core/TextConvert.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

namespace fs = std::filesystem;

constexpr mode_t kPrivateFolderMode = 0700;
constexpr mode_t kParentFolderMode = 0777; // less the umask

// The POSIX path of a Windows-form or POSIX path after Windows' full-path step.
std::optional<std::string> PosixPathOf(const CString& path)
{
    return ToPosixPath(WithoutTrailingBlanksAndDots(path));
}

// Windows reports "file not found" when only the last part is missing, "path not found" when
// a parent is.
int MissingEntryError(const std::string& path)
{
    fs::path parent = fs::path(path).parent_path();
    if (parent.empty())
        parent = ".";
    struct stat info {};
    return stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? kErrorFileNotFound
                                                                       : kErrorPathNotFound;
}

int ExistingEntryError(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? kErrorAlreadyExists
                                                                    : kErrorFileExists;
}

bool IsSeparator(char16_t ch)
{
    return ch == u'\\' || ch == u'/';
}

bool IsNetworkPath(const CString& path)
{
    return path.GetLength() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

bool IsRooted(const CString& path)
{
    if (path.IsEmpty())
        return false;
    if (IsSeparator(path[0]))
        return true;
    return path.GetLength() >= 3 && path[1] == u':' && IsSeparator(path[2]);
}

class LinuxFileSystem : public IFileSystem {
public:
    int CreateDirectoryTree(const CString& path) override
    {
        if (IsNetworkPath(path))
            return kErrorBadNetPath;
        if (!IsRooted(path))
            return kErrorBadPathname;
        auto posix = PosixPathOf(path);
        if (!posix)
            return kErrorPathNotFound;
        struct stat info {};
        if (lstat(posix->c_str(), &info) == 0)
            return ExistingEntryError(*posix);

        // Walk down from the root, creating what is missing.
        std::vector<fs::path> parts;
        for (const auto& part : fs::path(*posix))
            if (!part.empty() && part != "/")
                parts.push_back(part);
        fs::path partial = fs::path(*posix).root_path();
        for (std::size_t i = 0; i < parts.size(); ++i) {
            partial /= parts[i];
            if (mkdir(partial.c_str(), i + 1 == parts.size() ? kPrivateFolderMode : kParentFolderMode) == 0)
                continue;
            int error = errno;
            if (error != EEXIST)
                return WinErrorFromErrno(error);
            if (stat(partial.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
                return kErrorPathNotFound;
        }
        return kErrorSuccess;
    }

    int GetFileAttributes(const CString& path, unsigned& attributes) override
    {
        auto posix = PosixPathOf(path);
        if (!posix)
            return kErrorPathNotFound;
        if (posix->empty())
            return kErrorFileNotFound;
        struct stat info {};
        if (lstat(posix->c_str(), &info) != 0) {
            int error = errno;
            return error == ENOENT ? MissingEntryError(*posix) : WinErrorFromErrno(error);
        }
        if (S_ISLNK(info.st_mode) && stat(posix->c_str(), &info) != 0)
            info.st_mode = S_IFREG;
        attributes = S_ISDIR(info.st_mode) ? kFileAttributeDirectory : kFileAttributeNormal;
        return kErrorSuccess;
    }

    bool SetCurrentDirectory(const CString& path) override
    {
        auto posix = PosixPathOf(path);
        return posix && !posix->empty() && chdir(posix->c_str()) == 0;
    }

    int RemoveDirectory(const CString& path) override
    {
        auto posix = PosixPathOf(path);
        if (!posix)
            return kErrorPathNotFound;
        if (rmdir(posix->c_str()) == 0)
            return kErrorSuccess;
        int error = errno;
        // rmdir reports a folder that still holds entries as either of the two.
        return error == EEXIST ? kErrorDirNotEmpty
             : error == ENOENT ? MissingEntryError(*posix)
                               : WinErrorFromErrno(error);
    }

    unsigned GetFullPathName(const CString& path, std::span<char16_t> buffer) override
    {
        auto posix = PosixPathOf(path);
        if (!posix || posix->empty())
            return 0;
        fs::path full(*posix);
        if (full.is_relative()) {
            std::error_code error;
            fs::path current = fs::current_path(error);
            if (error)
                return 0;
            full = current / full;
        }
        std::string text = full.lexically_normal().string();
        if (text.size() > 1 && text.back() == '/')
            text.pop_back();
        std::u16string wide = Utf8ToUtf16(text);
        if (wide.size() + 1 > buffer.size())
            return static_cast<unsigned>(wide.size() + 1);
        std::copy(wide.begin(), wide.end(), buffer.begin());
        buffer[wide.size()] = u'\0';
        return static_cast<unsigned>(wide.size());
    }
};

} // namespace

IFileSystem& IFileSystem::Default()
{
    static LinuxFileSystem instance;
    return instance;
}

bool IsSameDirectory(const CString& a, const CString& b)
{
    auto pathA = PosixPathOf(a);
    auto pathB = PosixPathOf(b);
    struct stat infoA {};
    struct stat infoB {};
    return pathA && pathB && stat(pathA->c_str(), &infoA) == 0 && stat(pathB->c_str(), &infoB) == 0 &&
           S_ISDIR(infoA.st_mode) && infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}

} // namespace platform
