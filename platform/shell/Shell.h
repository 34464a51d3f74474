// The desktop shell: the user's desktop folder and shortcuts on it.
//
// A shortcut is a freedesktop link file (a desktop entry of Type=Link whose URL is the folder),
// which Linux file managers show on the desktop and open as the folder. Such files must end in
// ".desktop" to be recognized: where the system names a shortcut "<name>.lnk", the file here is
// "<name>.desktop" (kLinkFileExtension).
#pragma once

#include "platform/core/CString.h"

namespace platform {

inline constexpr const char16_t* kLinkFileExtension = u".desktop";

inline constexpr int kSOk = 0;
inline constexpr int kEFail = static_cast<int>(0x80004005u);
// HRESULT_FROM_WIN32
inline constexpr int HResultFromWin32(int code) { return code == 0 ? 0 : static_cast<int>(0x80070000u | static_cast<unsigned>(code)); }

class IShell {
public:
    virtual ~IShell() = default;

    // 0 with the current user's desktop folder (the XDG desktop directory, else ~/Desktop),
    // whether or not it exists yet: asking creates nothing. E_FAIL without a home folder.
    virtual int GetDesktopDirectory(CString& path) = 0;

    // Writes (or overwrites) the link file at linkPath that opens the folder target, shown
    // under the name description; the folder that holds linkPath is made when it is missing
    // (a new user's desktop), not the folders above it. 0 or an HRESULT from the write.
    virtual int CreateLinkFile(const CString& target, const CString& description, const CString& linkPath) = 0;

    // Removes the link file at linkPath when it is still the one CreateLinkFile writes for target
    // and description. 0 when removed; 2 when there is no file; 1 when the file there is another
    // (it is left as it is); else a Windows error number.
    virtual int RemoveLinkFile(const CString& target, const CString& description, const CString& linkPath) = 0;

    // Tells the shell that a folder was shared. Linux file managers learn of shares by
    // themselves, so there is nothing to do.
    virtual void NotifyShareCreated(const CString& path) = 0;

    // Opens the text file in the desktop's application for it (xdg-open), without waiting for
    // it. False when that could not be started.
    virtual bool OpenTextFile(const CString& path) = 0;

    static constexpr const char* kServiceName = "Shell";
    static IShell& Default();
};

} // namespace platform
