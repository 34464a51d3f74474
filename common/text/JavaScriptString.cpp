#include "common/text/JavaScriptString.h"

namespace {

void AppendUnicodeEscape(std::u16string& out, char16_t ch)
{
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    out += u"\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(ch >> shift) & 0xF];
}

} // namespace

CString EscapeJavaScriptString(const CString& text)
{
    std::u16string out;
    out.reserve(text.str().size());
    for (char16_t ch : text.str()) {
        switch (ch) {
        case u'"': out += u"\\\""; break;
        case u'\'': out += u"\\'"; break;
        case u'\\': out += u"\\\\"; break;
        case u'\n': out += u"\\n"; break;
        case u'\r': out += u"\\r"; break;
        case u'\t': out += u"\\t"; break;
        default:
            if (ch < 0x20 || ch == 0x7F || ch == u'<' || ch == 0x2028 || ch == 0x2029)
                AppendUnicodeEscape(out, ch);
            else
                out += ch;
        }
    }
    return CString(std::move(out));
}
