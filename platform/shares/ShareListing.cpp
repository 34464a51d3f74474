#include "ShareListing.h"

#include "ShareName.h"

#include <algorithm>
#include <sstream>

namespace platform {

namespace {

void SetField(ShareSection& share, std::string_view key, std::string value)
{
    static const std::pair<std::string_view, std::string ShareSection::*> kFields[] = {
        {"path", &ShareSection::path},
        {"comment", &ShareSection::comment},
        {"usershare_acl", &ShareSection::acl},
    };
    for (const auto& [name, field] : kFields)
        if (key == name)
            share.*field = std::move(value);
}

} // namespace

std::vector<ShareSection> ReadShareSections(std::string_view text, std::string_view separator)
{
    std::vector<ShareSection> sections;
    bool inShare = false;
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            std::string name = line.substr(1, line.size() - 2);
            inShare = name != "global";
            if (inShare)
                sections.push_back({std::move(name), {}, {}, {}});
            continue;
        }
        std::size_t start = line.find_first_not_of(" \t");
        std::size_t at = line.find(separator);
        if (inShare && start != std::string::npos && at != std::string::npos && at > start)
            SetField(sections.back(), std::string_view(line).substr(start, at - start), line.substr(at + separator.size()));
    }
    return sections;
}

const ShareSection* FindShareSection(const std::vector<ShareSection>& sections, std::string_view name)
{
    auto found = std::find_if(sections.begin(), sections.end(),
                              [name](const ShareSection& section) { return SameShareName(section.name, name); });
    return found == sections.end() ? nullptr : &*found;
}

} // namespace platform
