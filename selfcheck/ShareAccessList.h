// A usershare's access list as `net usershare info` prints it: "SID:R,SID:F," (F full access,
// R read only, D denied).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace selfcheck {

struct ShareAccessEntry {
    std::string sid;
    char right = 0; // 'F', 'R' or 'D' (upper case whatever the listing used)
};

std::vector<ShareAccessEntry> ParseShareAccessList(std::string_view acl);

// What the access list lets a user in whose token holds the SIDs.
enum class ShareAccess {
    None,   // no entry names any of the SIDs
    Read,   // read only: a matching R entry, no F or D
    Full,   // a matching F entry and no matching D entry
    Denied, // a matching D entry (a deny wins over every grant)
};

ShareAccess AccessFor(const std::vector<ShareAccessEntry>& entries, const std::vector<std::string>& sids);

} // namespace selfcheck
