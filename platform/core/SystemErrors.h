// The Windows error numbers of logons, accounts and loaded libraries (those of files and paths
// are in platform/fs/WinErrors.h), and the system's text for an error number.
#pragma once

#include "CString.h"

namespace platform {

inline constexpr int kErrorModNotFound = 126;         // a library could not be loaded
inline constexpr int kErrorProcNotFound = 127;        // a library lacks a function
inline constexpr int kErrorInsufficientBuffer = 122;  // a name does not fit its buffer
inline constexpr int kErrorNoToken = 1008;            // the thread has no token of its own
inline constexpr int kErrorNoLogonServers = 1311;     // no server answered the logon
inline constexpr int kErrorNoSuchUser = 1317;         // no such account (the server gave a guest session)
inline constexpr int kErrorLogonFailure = 1326;       // unknown user name or bad password

// The system's text for a Windows error number, without the system's closing line break;
// "Unknown error <number>." for a number without a text here.
CString SystemErrorText(int error);

} // namespace platform
