// The check of an account's password by a handshake of the security-support interface inside
// this process: a client with the account's credentials and a server with the running
// account's, on the "NTLM" package. Used on the system version without the network logon.
#pragma once

#include "platform/core/CString.h"

// 1 when the handshake accepted the credentials, 0 otherwise. On 0 the thread's last error
// (platform/core/LastError.h) is 126 (no security library), 127 (the library lacks a function)
// or 1326 (the package or a step of the handshake failed); a failed step is also written to
// standard error.
int SSPLogonUser(const CString& domain, const CString& user, const CString& password);
