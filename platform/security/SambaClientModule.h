// The module that holds the network logon's use of Samba's client library (SambaClientModule.cpp),
// as the platform loads it: its file name beside the platform's library, and its two calls.
#pragma once

namespace platform {

inline constexpr const char* kSambaClientModule = "libtarrow_samba_client.so";

} // namespace platform

// The module shows these two calls alone.
#define TARROW_SAMBA_CLIENT_API __attribute__((visibility("default")))

extern "C" {
// Makes the process's one Samba client. 0, else the Windows error number: 8 (no memory), or
// what libsmbclient's errno stands for.
TARROW_SAMBA_CLIENT_API int tarrow_samba_client_prepare();

// Sets up a session of userName of domain (may be empty) with the password, with this
// computer's Samba server on port, and ends it again. 0 when the server set up a session of the
// account, 1317 when it gave only a guest session, 1326 for a refused name or password, 1311
// when it could not be reached, 8 or 31 otherwise (as ILogon's LogonUser tells them).
TARROW_SAMBA_CLIENT_API int tarrow_samba_client_logon(const char* userName, const char* domain, const char* password, int port);
}
