// The private folder of one run, where the programs and their pages exchange the data files
// (tarrow.data, js/DeviceFolderList.js, js/NtwkDevList.js): never the programs' own folder, which
// is read-only once installed, and never a file left by an earlier run or another user.
#pragma once

#include "CString.h"

namespace platform {

// The environment variable through which a program hands its run folder to the programs it starts.
inline constexpr const char* kRunFolderVariable = "TARROW_RUN_DIR";

// This run's folder (a POSIX path, with the folder "js" inside): the folder TARROW_RUN_DIR names
// when it is a folder of this user's that no one else may enter; else a new folder made on first
// use, mode 0700, under $XDG_RUNTIME_DIR, or under ~/.cache/tarrow when there is none. A folder
// made here is named in TARROW_RUN_DIR for the programs this one starts. Empty when none could
// be made (the reason is in errno's text, RunFolderFailure).
CString RunFolder();

// Why RunFolder is empty, in plain words; empty while it is not.
CString RunFolderFailure();

// Removes the folder (and what is in it) when this process made it; one handed down is left to
// the program that made it.
void RemoveRunFolder();

} // namespace platform
