// Helpers for the XML tests: UTF-8 literals to wide text and back, parse shortcuts.
#pragma once

#include "common/xml/XmlReader.h"
#include "common/xml/XmlWriter.h"

#include <string>

inline std::u16string W(const std::string& utf8) { return CString::FromUtf8(utf8).str(); }
inline std::string U8(const CString& text) { return text.ToUtf8(); }

// Parses UTF-8 text without a first tag.
inline XmlNode Parse(const std::string& utf8, XmlParseResult& result)
{
    return ParseText(W(utf8), CString(), result);
}
