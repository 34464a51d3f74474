// The rules of Windows path names that the system's texts rely on.
#pragma once

#include "platform/core/CString.h"

namespace platform {

// The path as Windows' full-path step leaves it: blanks and dots that end the last component
// are dropped ("C:\T\Trail. " names the folder "C:\T\Trail"), unless the path ends in a separator
// or the last component is "." or "..".
CString WithoutTrailingBlanksAndDots(const CString& path);

// Whether name is one component of a path: not empty, not "." or "..", and without a separator
// ("\" or "/"), NUL or other control character (U+0001-U+001F, U+007F-U+009F).
bool IsOnePathComponent(std::u16string_view name);

} // namespace platform
