// Forward searches through one reply that remember what they found, so that a walk over the
// records of a reply reads it once: a key that is missing, or found only far ahead, is not
// searched for again from every record.
#pragma once

#include "platform/core/CString.h"

#include <string_view>

// text.Find(needle, from) for positions from that never go back. The last find stays valid as
// long as it lies at or after from; only then is the text searched again.
class ForwardFinder {
public:
    ForwardFinder(const CString& text, std::u16string_view needle) : m_text(text), m_needle(needle) {}
    // Index of the first occurrence at or after from, or -1.
    int Find(int from);

private:
    const CString& m_text;
    std::u16string_view m_needle;
    int m_from = -1;   // position of the last search; -1 before the first
    int m_found = -1;  // its result
};

// GetStringValue (ReplyScanner.h) for one attribute name over one text, called with start
// positions that never go back: the same results, values and log lines, in time linear in the
// length of the text over the whole walk.
class AttributeCursor {
public:
    AttributeCursor(const CString& text, const CString& name);
    AttributeCursor(const AttributeCursor&) = delete;
    AttributeCursor& operator=(const AttributeCursor&) = delete;

    // The value's index in the text, with value set; or -1 with value unchanged (logged).
    int Next(CString& value, int start);

private:
    const CString& m_text;
    const CString m_key;  // name + "="
    ForwardFinder m_keyAt;
    ForwardFinder m_firstQuote;
    ForwardFinder m_secondQuote;
};
