#include "TextConvert.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

// Length a sequence starting with lead must have; 0 for a byte that cannot start one.
int SequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Decodes from pos; returns bytes consumed, or 0 when the input ends inside a valid prefix.
std::size_t DecodeOne(std::string_view in, std::size_t pos, std::u16string& out)
{
    auto lead = static_cast<unsigned char>(in[pos]);
    int len = SequenceLength(lead);
    if (len == 1) {
        out += static_cast<char16_t>(lead);
        return 1;
    }
    if (len == 0) {
        out += kReplacement;
        return 1;
    }
    char32_t cp = lead & (0xFF >> (len + 1));
    for (int i = 1; i < len; ++i) {
        if (pos + i >= in.size())
            return 0;
        auto byte = static_cast<unsigned char>(in[pos + i]);
        bool valid = (byte & 0xC0) == 0x80;
        // Reject overlong forms, surrogates and values above U+10FFFF at the second byte.
        if (i == 1) {
            if (lead == 0xE0 && byte < 0xA0) valid = false;
            if (lead == 0xED && byte > 0x9F) valid = false;
            if (lead == 0xF0 && byte < 0x90) valid = false;
            if (lead == 0xF4 && byte > 0x8F) valid = false;
        }
        if (!valid) {
            out += kReplacement;
            return static_cast<std::size_t>(i);
        }
        cp = (cp << 6) | (byte & 0x3F);
    }
    AppendCodePoint(out, cp);
    return static_cast<std::size_t>(len);
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t used = DecodeOne(utf8, pos, out);
        if (used == 0) { // truncated at the end
            out += kReplacement;
            break;
        }
        pos += used;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size()
            && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::u16string Utf8StreamDecoder::Decode(std::string_view piece)
{
    m_pending.append(piece);
    std::u16string out;
    std::size_t pos = 0;
    while (pos < m_pending.size()) {
        std::size_t used = DecodeOne(m_pending, pos, out);
        if (used == 0)
            break;
        pos += used;
    }
    m_pending.erase(0, pos);
    return out;
}

std::u16string Utf8StreamDecoder::Finish()
{
    std::u16string out = m_pending.empty() ? std::u16string() : std::u16string(1, kReplacement);
    m_pending.clear();
    return out;
}
