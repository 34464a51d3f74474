#include "HtmlTags.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace {

std::string Lower(std::string text)
{
    for (char& ch : text)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return text;
}

bool IsNameChar(char ch)
{
    return !std::isspace(static_cast<unsigned char>(ch)) && ch != '>' && ch != '/' && ch != '=';
}

} // namespace

std::string HtmlTag::Attr(const std::string& attr) const
{
    auto found = attrs.find(attr);
    return found == attrs.end() ? std::string() : found->second;
}

std::vector<HtmlTag> ReadTags(const std::string& html)
{
    std::vector<HtmlTag> tags;
    std::size_t pos = 0;
    while ((pos = html.find('<', pos)) != std::string::npos) {
        if (html.compare(pos, 4, "<!--") == 0) {
            pos = html.find("-->", pos);
            continue;
        }
        if (pos + 1 >= html.size() || !std::isalpha(static_cast<unsigned char>(html[pos + 1]))) {
            ++pos;
            continue;
        }
        HtmlTag tag;
        std::size_t i = pos + 1;
        while (i < html.size() && IsNameChar(html[i]))
            tag.name += html[i++];
        tag.name = Lower(tag.name);
        while (i < html.size() && html[i] != '>') {
            if (!IsNameChar(html[i])) {
                ++i;
                continue;
            }
            std::string name;
            while (i < html.size() && IsNameChar(html[i]))
                name += html[i++];
            std::string value;
            if (i < html.size() && html[i] == '=') {
                char quote = html[++i];
                if (quote == '"' || quote == '\'') {
                    std::size_t end = html.find(quote, i + 1);
                    value = html.substr(i + 1, end - i - 1);
                    i = end + 1;
                } else {
                    while (i < html.size() && IsNameChar(html[i]))
                        value += html[i++];
                }
            }
            tag.attrs[Lower(name)] = value;
        }
        std::size_t next = html.find('<', i);
        tag.text = html.substr(i + 1, next == std::string::npos ? std::string::npos : next - i - 1);
        tags.push_back(tag);
        pos = i;
    }
    return tags;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
