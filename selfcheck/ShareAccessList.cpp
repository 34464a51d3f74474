#include "ShareAccessList.h"

#include <algorithm>
#include <strings.h>

namespace selfcheck {

std::vector<ShareAccessEntry> ParseShareAccessList(std::string_view acl)
{
    std::vector<ShareAccessEntry> entries;
    while (!acl.empty()) {
        std::size_t comma = acl.find(',');
        std::string_view entry = acl.substr(0, comma);
        acl = comma == std::string_view::npos ? std::string_view() : acl.substr(comma + 1);
        std::size_t colon = entry.rfind(':');
        if (colon == std::string_view::npos || colon == 0 || colon + 2 != entry.size())
            continue;
        char right = entry.back();
        if (right >= 'a' && right <= 'z')
            right = static_cast<char>(right - 'a' + 'A');
        if (right == 'F' || right == 'R' || right == 'D')
            entries.push_back({std::string(entry.substr(0, colon)), right});
    }
    return entries;
}

ShareAccess AccessFor(const std::vector<ShareAccessEntry>& entries, const std::vector<std::string>& identities)
{
    ShareAccess access = ShareAccess::None;
    for (const auto& entry : entries) {
        auto same = [&entry](const std::string& identity) { return strcasecmp(identity.c_str(), entry.who.c_str()) == 0; };
        if (std::none_of(identities.begin(), identities.end(), same))
            continue;
        if (entry.right == 'D')
            return ShareAccess::Denied;
        if (entry.right == 'F')
            access = ShareAccess::Full;
        else if (access == ShareAccess::None)
            access = ShareAccess::Read;
    }
    return access;
}

} // namespace selfcheck
