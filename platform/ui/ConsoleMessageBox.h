// A message box where no display can be opened (a program run from a terminal, or in CI).
#pragma once

#include "platform/core/CString.h"

namespace platform {

// Writes "caption: text" and a line end to standard error and answers the default button:
// never waits for input.
int ShowOnStandardError(const CString& text, const CString& caption, unsigned style);

} // namespace platform
