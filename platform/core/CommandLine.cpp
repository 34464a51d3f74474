#include "platform/core/CommandLine.h"

namespace {

bool IsSeparator(char16_t ch)
{
    return ch == u' ' || ch == u'\t';
}

} // namespace

CStringList SplitCommandLine(const CString& commandLine)
{
    CStringList arguments;
    const std::u16string& text = commandLine.str();
    std::size_t pos = 0;
    while (true) {
        while (pos < text.size() && IsSeparator(text[pos]))
            ++pos;
        if (pos >= text.size())
            return arguments;
        std::u16string argument;
        bool quoted = false;
        while (pos < text.size() && (quoted || !IsSeparator(text[pos]))) {
            if (text[pos] == u'\\') {
                std::size_t count = 0;
                while (pos < text.size() && text[pos] == u'\\') {
                    ++count;
                    ++pos;
                }
                if (pos < text.size() && text[pos] == u'"') {
                    argument.append(count / 2, u'\\');
                    if (count % 2 == 1) {
                        argument += u'"';
                        ++pos;
                    }
                } else {
                    argument.append(count, u'\\');
                }
            } else if (text[pos] == u'"') {
                if (quoted && pos + 1 < text.size() && text[pos + 1] == u'"') {
                    argument += u'"';
                    pos += 2;
                } else {
                    quoted = !quoted;
                    ++pos;
                }
            } else {
                argument += text[pos++];
            }
        }
        arguments.AddTail(CString(std::move(argument)));
    }
}

CString JoinCommandLine(const CStringList& arguments)
{
    std::u16string line;
    for (const CString& argument : arguments) {
        if (!line.empty())
            line += u' ';
        const std::u16string& text = argument.str();
        if (!text.empty() && text.find_first_of(u" \t\"") == std::u16string::npos) {
            line += text;
            continue;
        }
        line += u'"';
        std::size_t backslashes = 0;
        for (char16_t ch : text) {
            if (ch == u'\\') {
                ++backslashes;
            } else if (ch == u'"') {
                line.append(backslashes + 1, u'\\');  // double them and escape the mark
                backslashes = 0;
            } else {
                backslashes = 0;
            }
            line += ch;
        }
        line.append(backslashes, u'\\');  // doubled before the closing mark
        line += u'"';
    }
    return CString(std::move(line));
}
