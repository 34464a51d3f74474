#include "ConsoleMessageBox.h"

#include "MessageBoxes.h"

#include <cstdio>

namespace platform {

int ShowOnStandardError(const CString& text, const CString& caption, unsigned style)
{
    std::string line = caption.ToUtf8() + ": " + text.ToUtf8() + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    return DefaultButton(style);
}

} // namespace platform
