// Parsing XML text and files into trees of XmlNode.
//
// Fixed behaviour: narrow files are UTF-8, a file that starts with FF FE is UTF-16LE, and white
// space (TAB, LF, CR, blank) at both ends of text runs is dropped.
#pragma once

#include "XmlNode.h"
#include "XmlParseResult.h"

#include <string>
#include <string_view>

// Parses text. With a firstTag, returns the element of that name (letter case ignored) found at
// the top, among its children, or inside declarations on that path; else the top node (the only
// element itself when the top holds nothing else). Fills result; returns the empty node for
// codes from 3 on. Empty text gives code 9.
XmlNode ParseText(std::u16string_view text, const CString& firstTag, XmlParseResult& result);

// Reads and parses a file (Windows-form or POSIX path); codes 10 (cannot be read), 3 (empty)
// and 13 (no text after conversion) come before any parse.
XmlNode ParseFile(const CString& path, const CString& firstTag, XmlParseResult& result);

// The text of a file's bytes: after FF FE as UTF-16LE, else as UTF-8 after an optional EF BB BF.
std::u16string DecodeXmlBytes(std::string_view bytes);
