#include "Smb2SessionSetup.h"

#include "LittleEndian.h"
#include "NtlmAuthentication.h"
#include "SmbConnection.h"
#include "Spnego.h"

#include <openssl/rand.h>
#include <optional>

namespace platform {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kNegotiate = 0, kSessionSetup = 1;
constexpr std::uint32_t kStatusSuccess = 0, kStatusPending = 0x00000103, kStatusMoreProcessing = 0xC0000016;
constexpr std::uint32_t kFlagResponse = 0x1, kFlagAsync = 0x2;
constexpr std::uint16_t kSessionGuest = 0x1, kSessionAnonymous = 0x2;
constexpr std::size_t kHeaderSize = 64;

// Every dialect from 2.0.2 to 3.1.1: the server picks the highest it allows.
constexpr std::uint16_t kDialects[] = {0x0202, 0x0210, 0x0300, 0x0302, 0x0311};
constexpr std::uint16_t kSigningEnabled = 0x1;
constexpr std::uint32_t kCapabilityEncryption = 0x40;

// The 64-byte header of a request.
Bytes Header(std::uint16_t command, std::uint64_t messageId, std::uint64_t sessionId, std::uint16_t creditCharge)
{
    Bytes header = {0xfe, 'S', 'M', 'B'};
    le::Put16(header, kHeaderSize);
    le::Put16(header, creditCharge);
    le::Put32(header, 0); // status
    le::Put16(header, command);
    le::Put16(header, 8); // credits asked for
    le::Put32(header, 0); // flags
    le::Put32(header, 0); // next command
    le::Put64(header, messageId);
    le::Put32(header, 0); // reserved
    le::Put32(header, 0); // tree
    le::Put64(header, sessionId);
    header.resize(kHeaderSize, 0); // no signature
    return header;
}

// A reply's header, read.
struct Reply {
    std::uint32_t status = 0;
    std::uint64_t sessionId = 0;
    Bytes message;
};

enum class Received { Reply, Lost, Bad };

// The final reply to the request of command and messageId (interim ones are passed over).
Received ReceiveReply(SmbConnection& connection, std::uint16_t command, std::uint64_t messageId, Reply& reply)
{
    for (;;) {
        if (!connection.Receive(reply.message))
            return Received::Lost;
        const Bytes& m = reply.message;
        if (m.size() < kHeaderSize + 2 || m[0] != 0xfe || m[1] != 'S' || m[2] != 'M' || m[3] != 'B' ||
            le::Get16(m, 4) != kHeaderSize || le::Get16(m, 12) != command || !(le::Get32(m, 16) & kFlagResponse) ||
            le::Get64(m, 24) != messageId)
            return Received::Bad;
        reply.status = le::Get32(m, 8);
        if (reply.status == kStatusPending && (le::Get32(m, 16) & kFlagAsync))
            continue;
        reply.sessionId = le::Get64(m, 40);
        return Received::Reply;
    }
}

// A negotiate context: its type, its data's length, and the data, 8-byte aligned in the request.
void PutContext(Bytes& request, std::uint16_t type, const Bytes& data)
{
    request.resize((request.size() + 7) / 8 * 8, 0);
    le::Put16(request, type);
    le::Put16(request, static_cast<std::uint16_t>(data.size()));
    le::Put32(request, 0);
    request.insert(request.end(), data.begin(), data.end());
}

Bytes NegotiateRequest()
{
    Bytes request = Header(kNegotiate, 0, 0, 0);
    le::Put16(request, 36);
    le::Put16(request, static_cast<std::uint16_t>(std::size(kDialects)));
    le::Put16(request, kSigningEnabled);
    le::Put16(request, 0);
    // Encryption is offered because a server with "smb encrypt = required" refuses a session to
    // a client that cannot encrypt; nothing is sent after the session set-up, so nothing is
    // ever encrypted.
    le::Put32(request, kCapabilityEncryption);
    Bytes guid(16);
    RAND_bytes(guid.data(), static_cast<int>(guid.size()));
    request.insert(request.end(), guid.begin(), guid.end());
    const std::size_t contextOffsetAt = request.size();
    le::Put32(request, 0);
    le::Put16(request, 2); // negotiate contexts, for 3.1.1
    le::Put16(request, 0);
    for (std::uint16_t dialect : kDialects)
        le::Put16(request, dialect);
    request.resize((request.size() + 7) / 8 * 8, 0);
    le::Set32(request, contextOffsetAt, static_cast<std::uint32_t>(request.size()));
    // Pre-authentication integrity: SHA-512, with a salt.
    Bytes integrity;
    le::Put16(integrity, 1); // one hash algorithm
    le::Put16(integrity, 32);
    le::Put16(integrity, 1); // SHA-512
    integrity.resize(integrity.size() + 32);
    RAND_bytes(integrity.data() + 6, 32);
    PutContext(request, 1, integrity);
    // The encryption that 3.1.1 offers instead of the capability: AES-128-GCM and AES-128-CCM.
    Bytes ciphers;
    le::Put16(ciphers, 2);
    le::Put16(ciphers, 2);
    le::Put16(ciphers, 1);
    PutContext(request, 2, ciphers);
    return request;
}

Bytes SessionSetupRequest(std::uint64_t messageId, std::uint64_t sessionId, std::uint16_t creditCharge,
                          const Bytes& token)
{
    Bytes request = Header(kSessionSetup, messageId, sessionId, creditCharge);
    le::Put16(request, 25);
    request.push_back(0);               // flags
    request.push_back(kSigningEnabled); // security mode
    le::Put32(request, 0);              // capabilities
    le::Put32(request, 0);              // channel
    le::Put16(request, kHeaderSize + 24);
    le::Put16(request, static_cast<std::uint16_t>(token.size()));
    le::Put64(request, 0); // previous session
    request.insert(request.end(), token.begin(), token.end());
    return request;
}

// The security token of a session set-up's reply, and its session flags.
bool ReadSessionReply(const Reply& reply, Bytes& token, std::uint16_t& sessionFlags)
{
    const Bytes& m = reply.message;
    if (m.size() < kHeaderSize + 8 || le::Get16(m, kHeaderSize) != 9)
        return false;
    sessionFlags = le::Get16(m, kHeaderSize + 2);
    const std::size_t offset = le::Get16(m, kHeaderSize + 4), length = le::Get16(m, kHeaderSize + 6);
    if (length == 0) {
        token.clear();
        return true;
    }
    if (offset < kHeaderSize + 8 || offset > m.size() || length > m.size() - offset)
        return false;
    token.assign(m.begin() + static_cast<std::ptrdiff_t>(offset), m.begin() + static_cast<std::ptrdiff_t>(offset + length));
    return true;
}

SessionVerdict Verdict(SessionVerdict::Kind kind, std::uint32_t status = 0)
{
    return {kind, status};
}

SessionVerdict Lost(Received received)
{
    return Verdict(received == Received::Lost ? SessionVerdict::Kind::Unreachable : SessionVerdict::Kind::BadReply);
}

} // namespace

SessionVerdict SetUpSmbSession(int port, const std::u16string& userName, const std::u16string& domain,
                               const std::u16string& password, int timeoutMilliseconds)
{
    using Kind = SessionVerdict::Kind;
    const std::optional<ntlm::ClientChoice> choice = ntlm::RandomClientChoice();
    if (!choice)
        return Verdict(Kind::NoCrypto);
    SmbConnection connection(timeoutMilliseconds);
    if (!connection.Open(port) || !connection.Send(NegotiateRequest()))
        return Verdict(Kind::Unreachable);
    Reply reply;
    if (Received r = ReceiveReply(connection, kNegotiate, 0, reply); r != Received::Reply)
        return Lost(r);
    if (reply.status != kStatusSuccess)
        return Verdict(Kind::Refused, reply.status);
    if (reply.message.size() < kHeaderSize + 6 || le::Get16(reply.message, kHeaderSize) != 65)
        return Verdict(Kind::BadReply);
    // 2.0.2 has no credit charge; later dialects charge one credit for a small request.
    const std::uint16_t creditCharge = le::Get16(reply.message, kHeaderSize + 4) == 0x0202 ? 0 : 1;

    // NTLM's negotiation, then its answer to the server's challenge.
    if (!connection.Send(SessionSetupRequest(1, 0, creditCharge, spnego::InitialToken(ntlm::NegotiateMessage()))))
        return Verdict(Kind::Unreachable);
    if (Received r = ReceiveReply(connection, kSessionSetup, 1, reply); r != Received::Reply)
        return Lost(r);
    if (reply.status != kStatusMoreProcessing)
        return Verdict(reply.status == kStatusSuccess ? Kind::BadReply : Kind::Refused, reply.status);
    Bytes token;
    std::uint16_t sessionFlags = 0;
    if (!ReadSessionReply(reply, token, sessionFlags))
        return Verdict(Kind::BadReply);
    const std::optional<Bytes> challengeMessage = spnego::MechanismMessage(token);
    const std::optional<ntlm::Challenge> challenge =
        challengeMessage ? ntlm::ParseChallenge(*challengeMessage) : std::nullopt;
    if (!challenge)
        return Verdict(Kind::BadReply);
    const std::optional<ntlm::Responses> responses =
        ntlm::NtlmV2Responses(*challenge, userName, domain, password, *choice);
    if (!responses)
        return Verdict(Kind::NoCrypto);
    const Bytes answer = spnego::NextToken(ntlm::AuthenticateMessage(*challenge, userName, domain, *responses));
    if (!connection.Send(SessionSetupRequest(2, reply.sessionId, creditCharge, answer)))
        return Verdict(Kind::Unreachable);
    if (Received r = ReceiveReply(connection, kSessionSetup, 2, reply); r != Received::Reply)
        return Lost(r);
    if (reply.status != kStatusSuccess)
        return Verdict(Kind::Refused, reply.status);
    if (!ReadSessionReply(reply, token, sessionFlags))
        return Verdict(Kind::BadReply);
    return Verdict(sessionFlags & (kSessionGuest | kSessionAnonymous) ? Kind::Guest : Kind::Account);
}

} // namespace platform
