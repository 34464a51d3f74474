#include "ReplyScanner.h"

#include "AttributeCursor.h"
#include "library/LibraryLog.h"

#include <array>
#include <utility>

int GetStringValue(const CString& text, const CString& name, CString& value, int start)
{
    return AttributeCursor(text, name).Next(value, start);
}

BOOL IsStringPresent(const CString& text, const CString& target, const CString& startMarker,
                     const CString& endMarker)
{
    CLogStream& log = LibraryLog();
    int s = text.Find(startMarker);
    if (s < 0) {
        log.Line(u"ERROR- IsStringPresent(): " + startMarker + u" not found.");
        return 0;
    }
    int t = text.Find(target, s);
    if (t < 0)
        return 0;
    int e = text.Find(endMarker, s);
    if (e < 0) {
        log.Line(u"ERROR- IsStringPresent(): " + endMarker + u" not found.");
        return 0;
    }
    if (s < t && t < e) {
        log.Line(u"IsStringPresent(): Found " + target);
        return 1;
    }
    return 0;
}

void DecodeXmlEntities(CString& value)
{
    static constexpr std::array<std::pair<std::u16string_view, char16_t>, 5> entities{{
        {u"&apos;", u'\''}, {u"&amp;", u'&'}, {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&quot;", u'"'},
    }};
    const std::u16string& in = value.str();
    if (in.find(u'&') == std::u16string::npos)
        return;
    std::u16string out;
    out.reserve(in.size());
    std::u16string_view rest(in);
    while (!rest.empty()) {
        bool decoded = false;
        if (rest.front() == u'&') {
            for (const auto& [entity, ch] : entities) {
                if (rest.starts_with(entity)) {
                    out += ch;
                    rest.remove_prefix(entity.size());
                    decoded = true;
                    break;
                }
            }
        }
        if (!decoded) {
            out += rest.front();
            rest.remove_prefix(1);
        }
    }
    value = CString(std::move(out));
}
