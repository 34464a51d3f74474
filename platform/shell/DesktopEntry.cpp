#include "DesktopEntry.h"

namespace platform {

namespace {

// The escapes of string values; blanks at either end would be dropped by readers, so those
// become \s.
std::string EscapeValue(const std::string& text)
{
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char ch = text[i];
        switch (ch) {
        case '\\': escaped += "\\\\"; break;
        case '\n': escaped += "\\n"; break;
        case '\t': escaped += "\\t"; break;
        case '\r': escaped += "\\r"; break;
        case ' ': escaped += (i == 0 || i + 1 == text.size()) ? "\\s" : " "; break;
        default: escaped += ch;
        }
    }
    return escaped;
}

} // namespace

std::string FileUrl(const std::string& absolutePath)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char ch : absolutePath) {
        bool alnum = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
        if (alnum || ch == '/' || ch == '-' || ch == '_' || ch == '.' || ch == '~') {
            url += static_cast<char>(ch);
        } else {
            url += '%';
            url += kHex[ch >> 4];
            url += kHex[ch & 0x0F];
        }
    }
    return url;
}

std::string LinkFileText(const std::string& absolutePath, const std::string& name)
{
    return "[Desktop Entry]\n"
           "Version=1.0\n"
           "Type=Link\n"
           "Name=" + EscapeValue(name) + "\n"
           "Icon=folder\n"
           "URL=" + FileUrl(absolutePath) + "\n";
}

} // namespace platform
