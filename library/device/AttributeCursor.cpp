#include "AttributeCursor.h"

#include "library/LibraryLog.h"

int ForwardFinder::Find(int from)
{
    if (m_from >= 0 && from >= m_from && (m_found < 0 || m_found >= from))
        return m_found;
    m_found = m_text.Find(m_needle, from);
    m_from = from < 0 ? -1 : from;  // a failed search from before the text says nothing of later ones
    return m_found;
}

AttributeCursor::AttributeCursor(const CString& text, const CString& name)
    : m_text(text)
    , m_key(name + u"=")
    , m_keyAt(text, m_key)
    , m_firstQuote(text, u"\"")
    , m_secondQuote(text, u"\"")
{
}

int AttributeCursor::Next(CString& value, int start)
{
    CLogStream& log = LibraryLog();
    auto fail = [&](const CString& reason) {
        log.Line(u"ERROR- GetStringValue(): " + reason);
        log.Line(u"ERROR- GetStringValue(): Returning -1");
        return -1;
    };

    int keyAt = m_keyAt.Find(start);
    if (keyAt < 0)
        return fail(m_key + u" not found.");
    int firstQuote = m_firstQuote.Find(keyAt);
    if (firstQuote < 0)
        return fail(u"First \" not found.");
    int valueAt = firstQuote + 1;
    int secondQuote = m_secondQuote.Find(valueAt);
    if (secondQuote < 0)
        return fail(u"Second \" not found.");
    value = m_text.Mid(valueAt, secondQuote - valueAt);
    return valueAt;
}
