#include "Spnego.h"

#include <cstddef>
#include <cstring>

namespace platform::spnego {

namespace {

// The mechanism identifiers in DER: SPNEGO (1.3.6.1.5.5.2) and NTLM (1.3.6.1.4.1.311.2.2.10).
constexpr std::uint8_t kSpnegoOid[] = {0x06, 0x06, 0x2b, 0x06, 0x01, 0x05, 0x05, 0x02};
constexpr std::uint8_t kNtlmOid[] = {0x06, 0x0a, 0x2b, 0x06, 0x01, 0x04, 0x01, 0x82, 0x37, 0x02, 0x02, 0x0a};
constexpr std::uint8_t kNtlmSignature[] = {'N', 'T', 'L', 'M', 'S', 'S', 'P', 0};

constexpr std::uint8_t kApplication0 = 0x60, kSequence = 0x30, kOctetString = 0x04;
constexpr std::uint8_t kContext0 = 0xa0, kContext1 = 0xa1, kContext2 = 0xa2;

// A DER element: the tag, the definite length (short or long form) and the content.
Bytes Element(std::uint8_t tag, const Bytes& content)
{
    Bytes out{tag};
    const std::size_t size = content.size();
    if (size < 0x80) {
        out.push_back(static_cast<std::uint8_t>(size));
    } else {
        Bytes length;
        for (std::size_t rest = size; rest != 0; rest >>= 8)
            length.insert(length.begin(), static_cast<std::uint8_t>(rest));
        out.push_back(static_cast<std::uint8_t>(0x80 | length.size()));
        out.insert(out.end(), length.begin(), length.end());
    }
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

// Reads the DER elements of a range one after the other.
class Reader {
public:
    Reader(const std::uint8_t* begin, const std::uint8_t* end) : m_at(begin), m_end(end) {}

    // The next element's tag and content; false at the end or when the element leaves the range.
    bool Next(std::uint8_t& tag, Reader& content)
    {
        if (m_end - m_at < 2)
            return false;
        tag = *m_at++;
        std::size_t length = *m_at++;
        if (length & 0x80) {
            const std::size_t count = length & 0x7f;
            if (count == 0 || count > 4 || static_cast<std::size_t>(m_end - m_at) < count)
                return false;
            length = 0;
            for (std::size_t i = 0; i < count; ++i)
                length = length << 8 | *m_at++;
        }
        if (static_cast<std::size_t>(m_end - m_at) < length)
            return false;
        content = Reader(m_at, m_at + length);
        m_at += length;
        return true;
    }

    // The content of the next element when it has the tag.
    bool Enter(std::uint8_t wanted, Reader& content)
    {
        std::uint8_t tag = 0;
        return Next(tag, content) && tag == wanted;
    }

    Bytes Rest() const { return Bytes(m_at, m_end); }

private:
    const std::uint8_t* m_at;
    const std::uint8_t* m_end;
};

} // namespace

Bytes InitialToken(const Bytes& ntlmMessage)
{
    const Bytes mechTypes = Element(kContext0, Element(kSequence, Bytes(std::begin(kNtlmOid), std::end(kNtlmOid))));
    const Bytes mechToken = Element(kContext2, Element(kOctetString, ntlmMessage));
    const Bytes negTokenInit = Element(kContext0, Element(kSequence, Concat({mechTypes, mechToken})));
    return Element(kApplication0, Concat({Bytes(std::begin(kSpnegoOid), std::end(kSpnegoOid)), negTokenInit}));
}

Bytes NextToken(const Bytes& ntlmMessage)
{
    return Element(kContext1, Element(kSequence, Element(kContext2, Element(kOctetString, ntlmMessage))));
}

std::optional<Bytes> MechanismMessage(const Bytes& serverToken)
{
    if (serverToken.size() >= sizeof kNtlmSignature &&
        std::memcmp(serverToken.data(), kNtlmSignature, sizeof kNtlmSignature) == 0)
        return serverToken;
    Reader token(serverToken.data(), serverToken.data() + serverToken.size()), negTokenResp(nullptr, nullptr),
        fields(nullptr, nullptr);
    if (!token.Enter(kContext1, negTokenResp) || !negTokenResp.Enter(kSequence, fields))
        return std::nullopt;
    std::uint8_t tag = 0;
    for (Reader field(nullptr, nullptr); fields.Next(tag, field);) {
        Reader message(nullptr, nullptr);
        if (tag == kContext2 && field.Enter(kOctetString, message))
            return message.Rest();
    }
    return std::nullopt;
}

} // namespace platform::spnego
