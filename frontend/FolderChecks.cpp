#include "frontend/FolderChecks.h"

#include "frontend/Blanks.h"

#include "common/log/ProgramLog.h"
#include "platform/core/Environment.h"
#include "platform/core/Services.h"
#include "platform/fs/FileSystem.h"

namespace {

constexpr const char16_t* kEmptyLine = u"ValidateShareName() failed as ShareName is empty. ";

} // namespace

bool ValidateLocation(CString& location)
{
    location = TrimBlanks(location);
    bool failed = false;
    if (location.IsEmpty()) {
        ProgramLog().Line(kEmptyLine);
        failed = true;
    }
    auto& files = platform::Use<platform::IFileSystem>();
    unsigned attributes = 0;
    if (files.GetFileAttributes(location, attributes) == 0)
        return !failed;
    if (files.CreateDirectoryTree(location) != 0) {
        ProgramLog().Line(u"The specified path or folder name : " + location + u"is invalid ");
        return false;
    }
    files.RemoveDirectory(location);
    return !failed;
}

bool ValidateShareName(CString& name)
{
    std::u16string text = name.str();
    text.erase(text.find_last_not_of(u' ') + 1);
    name = CString(text);
    bool failed = false;
    if (name.IsEmpty()) {
        ProgramLog().Line(kEmptyLine);
        failed = true;
    }
    if (text.find_first_of(kRefusedNameCharacters) != std::u16string::npos) {
        ProgramLog().Line(u"ValidateShareName() failed as ShareName contains Invalid Character.");
        return false;
    }
    return !failed;
}

bool ProposeLocation(CString& location, CString& homeDrive)
{
    CString drive;
    if (!platform::Use<platform::IEnvironment>().GetVariable(u"HomeDrive", drive) || drive.IsEmpty())
        return false;
    homeDrive = drive;
    location = drive + u"\\Norvik_Scans\\";
    return true;
}
