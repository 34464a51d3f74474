#include "XdgUserDirs.h"

#include <sstream>

namespace platform {

namespace {

// The quoted value with its backslash escapes undone; nothing if it is not quoted.
std::optional<std::string> Unquote(std::string_view value)
{
    if (value.size() < 2 || value.front() != '"' || value.back() != '"')
        return std::nullopt;
    std::string text;
    for (std::size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\\' && i + 2 < value.size())
            ++i;
        text += value[i];
    }
    return text;
}

} // namespace

std::optional<std::string> ReadUserDir(std::string_view fileText, std::string_view key, const std::string& home)
{
    std::istringstream lines{std::string(fileText)};
    std::optional<std::string> found;
    for (std::string line; std::getline(lines, line);) {
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#')
            continue;
        std::string_view entry = std::string_view(line).substr(start);
        if (entry.substr(0, key.size()) != key || entry.substr(key.size(), 1) != "=")
            continue;
        std::string_view value = entry.substr(key.size() + 1);
        value = value.substr(0, value.find_last_not_of(" \t\r") + 1);
        auto text = Unquote(value);
        if (!text)
            continue;
        if (text->compare(0, 5, "$HOME") == 0 && (text->size() == 5 || (*text)[5] == '/'))
            found = home + text->substr(5);
        else if (!text->empty() && text->front() == '/')
            found = *text;
    }
    return found;
}

} // namespace platform
