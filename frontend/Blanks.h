// Blanks around what a user typed: only the blank character counts, a TAB stays part of the text.
#pragma once

#include "platform/core/CString.h"

// The text without blanks at its end and then at its start; no other white space is removed.
CString TrimBlanks(const CString& text);
