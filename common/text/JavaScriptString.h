// Texts that devices report, made safe to stand between the quotation marks of a JavaScript
// string literal in a file that a page loads as a script.
#pragma once

#include "platform/core/CString.h"

// Escapes the quotation marks, the backslash, every control character, "<" (so that no
// "</script>" or "<!--" can appear) and the line separators U+2028 and U+2029. The literal
// evaluates to the original text.
CString EscapeJavaScriptString(const CString& text);
