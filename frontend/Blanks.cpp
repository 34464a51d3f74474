#include "frontend/Blanks.h"

CString TrimBlanks(const CString& text)
{
    const std::u16string& s = text.str();
    std::size_t end = s.find_last_not_of(u' ');
    if (end == std::u16string::npos)
        return {};
    std::size_t start = s.find_first_not_of(u' ');
    return CString(s.substr(start, end - start + 1));
}
