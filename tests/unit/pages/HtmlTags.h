// A small reader of the start tags of an HTML page, enough to check the generated pages.
#pragma once

#include <map>
#include <string>
#include <vector>

struct HtmlTag {
    std::string name;                         // lower case
    std::map<std::string, std::string> attrs; // names in lower case; values as written
    std::string text;                         // text up to the next tag

    bool Has(const std::string& attr) const { return attrs.contains(attr); }
    std::string Attr(const std::string& attr) const;
};

std::vector<HtmlTag> ReadTags(const std::string& html);
std::string ReadText(const std::string& path);
