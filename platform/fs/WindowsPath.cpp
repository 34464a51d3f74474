#include "WindowsPath.h"

#include <algorithm>

namespace platform {

namespace {

bool IsSeparator(char16_t ch)
{
    return ch == u'\\' || ch == u'/';
}

bool IsControl(char16_t ch)
{
    return ch < 0x20 || (ch >= 0x7F && ch < 0xA0);
}

} // namespace

CString WithoutTrailingBlanksAndDots(const CString& path)
{
    std::u16string_view text = path;
    std::u16string_view last = text.substr(text.find_last_of(u"\\/") + 1);
    if (last.empty() || last == u"." || last == u"..")
        return path;
    std::size_t keep = text.find_last_not_of(u" .");
    // The whole last component may go ("C:\T\..." names "C:\T\"), never the separator before it.
    std::size_t start = text.size() - last.size();
    std::size_t end = (keep == std::u16string_view::npos || keep < start) ? start : keep + 1;
    return CString(text.substr(0, end));
}

bool IsOnePathComponent(std::u16string_view name)
{
    return !name.empty() && name != u"." && name != u".." &&
           std::none_of(name.begin(), name.end(), [](char16_t ch) { return IsSeparator(ch) || IsControl(ch); });
}

} // namespace platform
