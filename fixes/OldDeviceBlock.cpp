#include "OldDeviceBlock.h"

#include <vector>

namespace fixes {

namespace {

struct Line {
    std::size_t begin;
    std::size_t end; // one past its line end (or the text's end)
};

std::vector<Line> Lines(const std::string& text)
{
    std::vector<Line> lines;
    for (std::size_t begin = 0; begin < text.size();) {
        std::size_t newline = text.find('\n', begin);
        std::size_t end = newline == std::string::npos ? text.size() : newline + 1;
        lines.push_back({begin, end});
        begin = end;
    }
    return lines;
}

// The line without its line end and surrounding blanks.
std::string Trimmed(const std::string& text, const Line& line)
{
    std::string words = text.substr(line.begin, line.end - line.begin);
    std::size_t first = words.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return "";
    return words.substr(first, words.find_last_not_of(" \t\r\n") - first + 1);
}

bool IsSectionHeader(const std::string& trimmed)
{
    return !trimmed.empty() && trimmed.front() == '[';
}

bool IsGlobalHeader(std::string trimmed)
{
    for (char& c : trimmed)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return trimmed.rfind("[global]", 0) == 0;
}

// Blank lines and comments ('#' or ';') carry no setting.
bool IsQuiet(const std::string& trimmed)
{
    return trimmed.empty() || trimmed.front() == '#' || trimmed.front() == ';';
}

} // namespace

std::string OldDeviceBlock(bool smb1, bool ntlmv1)
{
    std::string what = smb1 && ntlmv1 ? "speak SMB1 and sign in with NTLMv1"
                       : smb1         ? "speak SMB1"
                                      : "sign in with NTLMv1";
    std::string block = std::string(kOldDeviceBegin) + " (written by tarrow-fix-helper)\n";
    block += "# WARNING: these lines let in devices that " + what + ". That is old and weak:\n"
             "# others on the network may read what such a device sends, and may find out the\n"
             "# account's password. Remove this block as soon as no such device writes here:\n"
             "# pkexec /usr/libexec/tarrow/tarrow-fix-helper disallow-old-device\n";
    if (smb1)
        block += "   server min protocol = NT1\n";
    if (ntlmv1)
        block += "   ntlm auth = ntlmv1-permitted\n";
    return block + kOldDeviceEnd + "\n";
}

std::optional<TextSpan> FindOldDeviceBlock(const std::string& text)
{
    std::optional<std::size_t> begin;
    for (const Line& line : Lines(text)) {
        std::string trimmed = Trimmed(text, line);
        if (!begin && trimmed.rfind(kOldDeviceBegin, 0) == 0)
            begin = line.begin;
        else if (begin && trimmed == kOldDeviceEnd)
            return TextSpan{*begin, line.end};
    }
    return std::nullopt;
}

std::optional<std::string> WithOldDeviceBlock(const std::string& text, bool smb1, bool ntlmv1, std::string& error)
{
    const std::string block = OldDeviceBlock(smb1, ntlmv1);
    if (std::optional<TextSpan> found = FindOldDeviceBlock(text))
        return text.substr(0, found->begin) + block + text.substr(found->end);

    const std::vector<Line> lines = Lines(text);
    std::optional<std::size_t> global;
    for (std::size_t i = 0; i < lines.size() && !global; ++i)
        if (IsGlobalHeader(Trimmed(text, lines[i])))
            global = i;
    if (!global) {
        error = "it has no [global] section";
        return std::nullopt;
    }
    // After the last line of [global] that holds a setting, so that the comments before the
    // next section stay with that section.
    std::size_t last = *global;
    for (std::size_t i = *global + 1; i < lines.size(); ++i) {
        std::string trimmed = Trimmed(text, lines[i]);
        if (IsSectionHeader(trimmed))
            break;
        if (!IsQuiet(trimmed))
            last = i;
    }
    std::size_t at = lines[last].end;
    std::string lineEnd = text.empty() || text[at - 1] == '\n' ? "" : "\n";
    return text.substr(0, at) + lineEnd + block + text.substr(at);
}

std::string WithoutOldDeviceBlock(const std::string& text)
{
    std::optional<TextSpan> found = FindOldDeviceBlock(text);
    if (!found)
        return text;
    return text.substr(0, found->begin) + text.substr(found->end);
}

} // namespace fixes
