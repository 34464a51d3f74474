#include "XmlEscape.h"

CString EscapeXmlValue(const CString& value)
{
    std::u16string out;
    out.reserve(static_cast<std::size_t>(value.GetLength()));
    for (char16_t ch : value.str()) {
        switch (ch) {
        case u'&': out += u"&amp;"; break;
        case u'<': out += u"&lt;"; break;
        case u'>': out += u"&gt;"; break;
        case u'"': out += u"&quot;"; break;
        case u'\'': out += u"&apos;"; break;
        default: out += ch;
        }
    }
    return CString(std::move(out));
}
