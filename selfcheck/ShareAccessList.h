// A usershare's access list as `net usershare info` prints it: "WHO:R,WHO:F," (F full access,
// R read only, D denied), where WHO is a SID or, when Samba can name it, a name
// ("Everyone", "PC1\alice").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace selfcheck {

struct ShareAccessEntry {
    std::string who; // a SID or a name
    char right = 0; // 'F', 'R' or 'D' (upper case whatever the listing used)
};

std::vector<ShareAccessEntry> ParseShareAccessList(std::string_view acl);

// What the access list lets a user in who is any of the identities (SIDs and names, compared
// without regard to case).
enum class ShareAccess {
    None,   // no entry names any of the SIDs
    Read,   // read only: a matching R entry, no F or D
    Full,   // a matching F entry and no matching D entry
    Denied, // a matching D entry (a deny wins over every grant)
};

ShareAccess AccessFor(const std::vector<ShareAccessEntry>& entries, const std::vector<std::string>& identities);

} // namespace selfcheck
