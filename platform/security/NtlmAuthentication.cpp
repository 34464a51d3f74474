#include "NtlmAuthentication.h"

#include "LittleEndian.h"

#include <chrono>
#include <cstring>
#include <glib.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/provider.h>
#include <openssl/rand.h>

namespace platform::ntlm {

namespace {

constexpr std::uint8_t kSignature[8] = {'N', 'T', 'L', 'M', 'S', 'S', 'P', 0};
constexpr std::uint32_t kNegotiate = 1, kChallenge = 2, kAuthenticate = 3;

// The flags asked for: Unicode names, the server's name, signing available (Samba's server
// may want it for the SMB session), NTLM, extended session security, 128- and 56-bit keys.
constexpr std::uint32_t kUnicode = 0x00000001;
constexpr std::uint32_t kAskedFlags = kUnicode | 0x00000004 | 0x00000010 | 0x00000200 | 0x00008000 | 0x00080000 |
                                      0x20000000 | 0x80000000;
constexpr std::uint32_t kTargetInfo = 0x00800000;

constexpr std::uint16_t kAvEnd = 0, kAvTimestamp = 7;
constexpr std::size_t kChallengeHeader = 48, kAuthenticateHeader = 64;

using Key = std::array<std::uint8_t, 16>;

// Wipes a secret when it goes.
template <typename Buffer> struct Wiped {
    Buffer value{};
    ~Wiped() { explicit_bzero(value.data(), value.size() * sizeof(value[0])); }
};

// MD4 lives in OpenSSL's legacy provider, which is loaded into a library context of its own
// so that nothing else in the process (libcurl's TLS) sees legacy algorithms.
class Md4Digest {
public:
    Md4Digest()
    {
        m_context = OSSL_LIB_CTX_new();
        m_legacy = m_context ? OSSL_PROVIDER_load(m_context, "legacy") : nullptr;
        m_md4 = m_legacy ? EVP_MD_fetch(m_context, "MD4", nullptr) : nullptr;
    }
    ~Md4Digest()
    {
        EVP_MD_free(m_md4);
        if (m_legacy)
            OSSL_PROVIDER_unload(m_legacy);
        OSSL_LIB_CTX_free(m_context);
    }
    Md4Digest(const Md4Digest&) = delete;
    Md4Digest& operator=(const Md4Digest&) = delete;

    bool Digest(const void* data, std::size_t length, Key& out) const
    {
        unsigned int size = 0;
        return m_md4 && EVP_Digest(data, length, out.data(), &size, m_md4, nullptr) == 1 && size == out.size();
    }

private:
    OSSL_LIB_CTX* m_context = nullptr;
    OSSL_PROVIDER* m_legacy = nullptr;
    EVP_MD* m_md4 = nullptr;
};

const Md4Digest& Md4()
{
    static const Md4Digest digest;
    return digest;
}

bool HmacMd5(const Key& key, const Bytes& data, Key& out)
{
    unsigned int size = 0;
    return HMAC(EVP_md5(), key.data(), static_cast<int>(key.size()), data.data(), data.size(), out.data(), &size) &&
           size == out.size();
}

// UTF-16 text as the messages carry it, little-endian.
void PutUtf16(Bytes& out, const std::u16string& text)
{
    for (char16_t unit : text)
        le::Put16(out, unit);
}

// Upper case as the server folds the user name, unit by unit (surrogates stay).
std::u16string Upper(const std::u16string& text)
{
    std::u16string upper = text;
    for (char16_t& unit : upper)
        if (unit < 0xD800 || unit > 0xDFFF)
            unit = static_cast<char16_t>(g_unichar_toupper(unit));
    return upper;
}

bool Fits(const Bytes& message, std::size_t offset, std::size_t length)
{
    return offset <= message.size() && length <= message.size() - offset;
}

// The message's fields of a payload: length, room, offset.
void PutField(Bytes& out, std::size_t at, std::size_t length, std::size_t offset)
{
    le::Set16(out, at, static_cast<std::uint16_t>(length));
    le::Set16(out, at + 2, static_cast<std::uint16_t>(length));
    le::Set32(out, at + 4, static_cast<std::uint32_t>(offset));
}

Bytes Header(std::uint32_t type, std::size_t size)
{
    Bytes message(kSignature, kSignature + sizeof kSignature);
    le::Put32(message, type);
    message.resize(size, 0);
    return message;
}

} // namespace

Bytes NegotiateMessage()
{
    Bytes message = Header(kNegotiate, 32); // the domain's and workstation's fields stay empty
    le::Set32(message, 12, kAskedFlags);
    return message;
}

std::optional<Challenge> ParseChallenge(const Bytes& message)
{
    if (message.size() < kChallengeHeader || std::memcmp(message.data(), kSignature, sizeof kSignature) != 0 ||
        le::Get32(message, 8) != kChallenge)
        return std::nullopt;
    Challenge challenge;
    challenge.flags = le::Get32(message, 20);
    std::memcpy(challenge.serverChallenge.data(), message.data() + 24, challenge.serverChallenge.size());
    const std::size_t infoLength = le::Get16(message, 40), infoOffset = le::Get32(message, 44);
    if (!Fits(message, infoOffset, infoLength))
        return std::nullopt;
    challenge.targetInfo.assign(message.begin() + static_cast<std::ptrdiff_t>(infoOffset),
                                message.begin() + static_cast<std::ptrdiff_t>(infoOffset + infoLength));
    const Bytes& info = challenge.targetInfo;
    for (std::size_t at = 0; Fits(info, at, 4);) {
        const std::uint16_t id = le::Get16(info, at), length = le::Get16(info, at + 2);
        if (id == kAvEnd)
            break;
        if (!Fits(info, at + 4, length))
            return std::nullopt;
        if (id == kAvTimestamp && length == 8)
            challenge.timestamp = le::Get64(info, at + 4);
        at += 4 + length;
    }
    return challenge;
}

std::optional<Responses> NtlmV2Responses(const Challenge& challenge, const std::u16string& userName,
                                         const std::u16string& domain, const std::u16string& password,
                                         const ClientChoice& choice)
{
    // NTOWFv2: HMAC-MD5 keyed with the MD4 of the password, over the upper-case user name and
    // the domain.
    Wiped<Bytes> text;
    text.value.reserve(password.size() * 2); // no copy is left behind by a growing buffer
    PutUtf16(text.value, password);
    Wiped<Key> passwordHash, key;
    if (!Md4().Digest(text.value.data(), text.value.size(), passwordHash.value))
        return std::nullopt;
    Bytes identity;
    PutUtf16(identity, Upper(userName) + domain);
    if (!HmacMd5(passwordHash.value, identity, key.value))
        return std::nullopt;

    // The client's blob: version 1, the time, the client's challenge and the server's pairs.
    Bytes blob = {1, 1, 0, 0, 0, 0, 0, 0};
    le::Put64(blob, challenge.timestamp.value_or(choice.time));
    blob.insert(blob.end(), choice.clientChallenge.begin(), choice.clientChallenge.end());
    blob.insert(blob.end(), 4, 0);
    blob.insert(blob.end(), challenge.targetInfo.begin(), challenge.targetInfo.end());
    blob.insert(blob.end(), 4, 0);

    Bytes proved(challenge.serverChallenge.begin(), challenge.serverChallenge.end());
    proved.insert(proved.end(), blob.begin(), blob.end());
    Key proof{};
    if (!HmacMd5(key.value, proved, proof))
        return std::nullopt;
    Responses responses;
    responses.nt.assign(proof.begin(), proof.end());
    responses.nt.insert(responses.nt.end(), blob.begin(), blob.end());

    if (challenge.timestamp) {
        responses.lm.assign(24, 0); // the server has the time: the LM response is left out
        return responses;
    }
    Bytes lmProved(challenge.serverChallenge.begin(), challenge.serverChallenge.end());
    lmProved.insert(lmProved.end(), choice.clientChallenge.begin(), choice.clientChallenge.end());
    Key lmProof{};
    if (!HmacMd5(key.value, lmProved, lmProof))
        return std::nullopt;
    responses.lm.assign(lmProof.begin(), lmProof.end());
    responses.lm.insert(responses.lm.end(), choice.clientChallenge.begin(), choice.clientChallenge.end());
    return responses;
}

Bytes AuthenticateMessage(const Challenge& challenge, const std::u16string& userName, const std::u16string& domain,
                          const Responses& responses)
{
    Bytes message = Header(kAuthenticate, kAuthenticateHeader);
    Bytes domainText, userText;
    PutUtf16(domainText, domain);
    PutUtf16(userText, userName);
    std::size_t offset = kAuthenticateHeader;
    const auto append = [&](std::size_t field, const Bytes& payload) {
        PutField(message, field, payload.size(), offset);
        message.insert(message.end(), payload.begin(), payload.end());
        offset += payload.size();
    };
    append(28, domainText);
    append(36, userText);
    append(44, {}); // workstation
    append(12, responses.lm);
    append(20, responses.nt);
    append(52, {}); // no session key is exchanged
    le::Set32(message, 60, (challenge.flags & kAskedFlags) | (challenge.flags & kTargetInfo) | kUnicode);
    return message;
}

std::optional<ClientChoice> RandomClientChoice()
{
    ClientChoice choice;
    if (RAND_bytes(choice.clientChallenge.data(), static_cast<int>(choice.clientChallenge.size())) != 1)
        return std::nullopt;
    // FILETIME: hundreds of nanoseconds since 1601-01-01.
    constexpr std::uint64_t kUnixEpochInFiletime = 116444736000000000ULL;
    const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
    choice.time = kUnixEpochInFiletime +
                  static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(since1970).count() / 100);
    return choice;
}

} // namespace platform::ntlm
