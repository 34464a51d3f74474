// Windows-form paths at the platform boundary.
//
// The system keeps paths as its texts write them ("C:\Tarrow.log", "js\DeviceFolderList.js").
// Translation: "\" becomes "/"; a path that is already POSIX passes through; a drive letter maps
// through the drive table. Only C: is mapped: to the folder named by the environment variable
// TARROW_DRIVE_C, else to a per-user folder tarrow/C under $XDG_STATE_HOME, else under
// ~/.local/state, else (HOME unset) under the user's runtime folder $XDG_RUNTIME_DIR when it is
// owned by the user and mode 0700. The default folder is made with mode 0700 and used only while
// it and its parent tarrow are the user's own (no links, no write access for others); otherwise,
// and when the user has none of these folders, drive C: does not exist. There is no fallback to a
// folder shared by all users. Any other drive does not exist.
#pragma once

#include "CString.h"

#include <optional>
#include <string>

namespace platform {

inline constexpr const char* kDriveCVariable = "TARROW_DRIVE_C";

// The user's own state folder of the programs, tarrow under $XDG_STATE_HOME, else under
// ~/.local/state, else under the private runtime folder; made with mode 0700 on first use.
// Empty when there is none or it is not the user's own (as for drive C: above).
std::string StateFolder();

// The folder name inside StateFolder(), made with mode 0700 on first use; empty when it cannot be
// made or is not the user's own.
std::string PrivateStateFolder(const std::string& name);

// Folder that stands for drive C:, created on first use when it is the default one; empty when
// drive C: does not exist (see above).
std::string DriveCRoot();

// The POSIX path for a Windows-form or POSIX path; nullopt for a drive that does not exist.
std::optional<std::string> ToPosixPath(const CString& path);

// Same, for calls that only need a path to hand to the system: an unmapped drive yields a path
// that does not exist, so the call fails with "not found" as it would on Windows.
std::string ToPosixPathOrMissing(const CString& path);

// The path as the user is shown it: its POSIX form; for a drive that does not exist, the text with
// every "\" as "/".
CString ToDisplayPath(const CString& path);

} // namespace platform
