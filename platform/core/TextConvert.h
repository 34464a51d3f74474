// UTF-8 <-> UTF-16. UTF-8 plays the part of the system's 8-bit ("ANSI") code page:
// what cannot be represented becomes U+FFFD, the code page's default character.
#pragma once

#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Bytes that arrive in pieces: a sequence cut at the end of one piece is completed by the next.
class Utf8StreamDecoder {
public:
    // Decodes what can be decoded of pending bytes + piece; keeps an incomplete tail for later.
    std::u16string Decode(std::string_view piece);
    // At the end of the stream: a sequence still open is cut and becomes U+FFFD.
    std::u16string Finish();

private:
    std::string m_pending;
};
