// The log file itself: opening it safely and deleting it without pulling it from under a stream.
//
// Every open log stream holds a shared advisory lock (flock LOCK_SH) on the file. A deletion takes
// an exclusive lock first, without waiting, and leaves the file alone when it cannot get it: a log
// that another process writes is never erased. flock locks belong to open file descriptions, so a
// process's own streams would block its own deletion too; the deletion therefore looks up this
// process's own append descriptors of the file (in /proc/self/fd, whatever module opened them),
// sets their locks aside while it tries, and takes them up again afterwards. When only its own
// streams hold the file, "deleting" empties it in place instead of unlinking it, so those streams
// (the library's, opened at load time) keep writing to the file that others see and keep guarding
// it. This gives the start-up order library load (delete, open), program (delete once more, open)
// one log that a program started later cannot erase.
#pragma once

#include "platform/core/CString.h"

#include <string>

// Opens the file at a POSIX path for appending with its shared lock held: created with mode 0600
// when missing, never through a symbolic link, and only when it is a regular file. Returns the
// descriptor, or -1 when the file cannot be opened that way.
int OpenLogFile(const std::string& posixPath);

// Starts the log anew (see above); does nothing when the file is missing, not a regular file, or
// held open by another process's stream. A symbolic link in the file's place is removed (never
// its target).
void DeleteLogFile(const CString& path);
