#include "LogEscape.h"

CString EscapeForLog(const CString& text)
{
    static constexpr char16_t kHex[] = u"0123456789abcdef";
    std::u16string out;
    out.reserve(text.GetLength());
    for (char16_t c : text.str()) {
        if (c == u'\n')
            out += u"\\n";
        else if (c == u'\r')
            out += u"\\r";
        else if (c == u'\t')
            out += u"\\t";
        else if (c < 0x20 || c == 0x7f) {
            out += u"\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xf];
        } else
            out += c;
    }
    return CString(out);
}
