// NTLM authentication (NTLMSSP with version-2 responses) as a client makes it: the three
// messages by which it proves to a server that it knows an account's password without sending
// the password. The session set-up with this computer's Samba server carries them
// (Smb2SessionSetup.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::ntlm {

using Bytes = std::vector<std::uint8_t>;

// The client's first message: what it asks for (Unicode, extended session security, the
// server's target information).
Bytes NegotiateMessage();

// What the answer needs of the server's challenge message.
struct Challenge {
    std::uint32_t flags = 0;
    std::array<std::uint8_t, 8> serverChallenge{};
    Bytes targetInfo;                        // the server's attribute-value pairs, as sent
    std::optional<std::uint64_t> timestamp;  // its MsvAvTimestamp (a FILETIME), when it sent one
};

// The challenge message read, or nothing when it is not one or its fields leave it.
std::optional<Challenge> ParseChallenge(const Bytes& message);

// What the client chooses itself: random in use, given in tests.
struct ClientChoice {
    std::array<std::uint8_t, 8> clientChallenge{};
    std::uint64_t time = 0; // FILETIME, used when the server sent no timestamp
};

// The two version-2 responses to a challenge.
struct Responses {
    Bytes lm; // LMv2, or 24 zero bytes when the server sent a timestamp
    Bytes nt; // NTProofStr followed by the client's blob
};

// The responses for userName of domain with password (all UTF-16), or nothing when the hashes
// could not be computed (the system's cryptography lacks MD4 or HMAC-MD5).
std::optional<Responses> NtlmV2Responses(const Challenge& challenge, const std::u16string& userName,
                                         const std::u16string& domain, const std::u16string& password,
                                         const ClientChoice& choice);

// The client's last message, with the responses; the workstation's name is left empty.
Bytes AuthenticateMessage(const Challenge& challenge, const std::u16string& userName, const std::u16string& domain,
                          const Responses& responses);

// A client challenge from the system's random source, and the present time as a FILETIME;
// nothing when the random source fails.
std::optional<ClientChoice> RandomClientChoice();

} // namespace platform::ntlm
