// The desktop shortcut to the scan folder: a freedesktop link file (platform/shell/Shell.h).
#include "CSharedFolder.h"

#include "library/LibraryLog.h"
#include "platform/core/Services.h"
#include "platform/fs/FileSystem.h"
#include "platform/shell/Shell.h"

#include <vector>

namespace {

constexpr unsigned kMaxPath = 260;

// The target's full path; a path longer than kMaxPath is expanded into a buffer of the size
// the first call asked for. Empty when it cannot be expanded.
CString FullPathOf(const CString& target)
{
    auto& files = platform::Use<platform::IFileSystem>();
    std::vector<char16_t> buffer(kMaxPath);
    unsigned length = files.GetFullPathName(target, buffer);
    if (length >= buffer.size()) {
        buffer.resize(length);
        length = files.GetFullPathName(target, buffer);
        if (length >= buffer.size())
            return {};
    }
    return CString(std::u16string_view(buffer.data(), length));
}

} // namespace

CString GetShortcutPath(CString folderName)
{
    CString desktop;
    if (int result = platform::Use<platform::IShell>().GetDesktopDirectory(desktop)) {
        LibraryLog().Line(u"ERROR- GetShortcutPath(): Returned " + IntToCString(result));
        return u"C:\\Documents and Settings\\All Users\\Desktop\\" + folderName + platform::kLinkFileExtension;
    }
    return desktop + u"/" + folderName + platform::kLinkFileExtension;
}

ShortcutFiles ShortcutFilesFor(const CString& targetPath, const CString& shortcutPath)
{
    // The link is saved under at most kMaxPath - 1 characters of the path, as the system always did.
    return {FullPathOf(targetPath), shortcutPath.Left(static_cast<int>(kMaxPath - 1))};
}

int CreateShortcut(CString targetPath, CString description, CString shortcutPath)
{
    CLogStream& log = LibraryLog();
    log.Line(u"CreateShortcut( " + targetPath + u", " + description + u", " + shortcutPath + u")");
    ShortcutFiles files = ShortcutFilesFor(targetPath, shortcutPath);
    if (files.target.IsEmpty()) {
        log.Line(u"ERROR: CreateShortcut()- GetFullPathName() returned0");
        return platform::kEFail;
    }
    return platform::Use<platform::IShell>().CreateLinkFile(files.target, description, files.link);
}
