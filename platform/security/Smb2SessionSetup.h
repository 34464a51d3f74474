// One session set-up of an account with this computer's SMB server, over SMB 2 or 3 with NTLM:
// the server's verdict on the password, and whether the session it gave is the account's own or
// only a guest's. Nothing else is asked of the server; the session ends with the connection.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct SessionVerdict {
    enum class Kind {
        Account,     // the server set up a session of the account: the password is right
        Guest,       // it set up a guest's (or an anonymous) session instead
        Refused,     // it refused the session set-up with status
        Unreachable, // no connection, or it ended, or the server did not answer in time
        BadReply,    // it answered with something that is no SMB 2 or 3 reply of the kind
        NoCrypto,    // the system's cryptography could not make the answer (no MD4 or random)
    };
    Kind kind = Kind::BadReply;
    std::uint32_t status = 0; // the server's NT status, for Refused
};

// Sets up a session of userName of domain (may be empty) with password, with the server on
// 127.0.0.1 at port. Each step (the connection, each reply) waits timeoutMilliseconds at most.
SessionVerdict SetUpSmbSession(int port, const std::u16string& userName, const std::u16string& domain,
                               const std::u16string& password, int timeoutMilliseconds);

} // namespace platform
