// SPNEGO (RFC 4178) as an SMB session set-up carries NTLM: the client offers NTLM alone, and
// the tokens of NTLM travel inside the negotiation's messages.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace platform::spnego {

using Bytes = std::vector<std::uint8_t>;

// The client's first token (NegTokenInit) with NTLM's first message.
Bytes InitialToken(const Bytes& ntlmMessage);

// A later token of the client (NegTokenResp) with NTLM's next message.
Bytes NextToken(const Bytes& ntlmMessage);

// NTLM's message in a token of the server (NegTokenResp's responseToken); a bare NTLM message
// is taken as it is. Nothing when the token holds none.
std::optional<Bytes> MechanismMessage(const Bytes& serverToken);

} // namespace platform::spnego
