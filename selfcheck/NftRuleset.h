// What an nftables rule set (the text of `nft -a list ruleset`) does to incoming TCP connections
// to one port. Read conservatively: only what is plain from the text counts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace selfcheck {

struct BlockingRule {
    std::string family; // "inet", "ip", "ip6", ...
    std::string table;
    std::string chain;
    // The rule's text without its handle comment; for a chain's policy, "policy drop".
    std::string rule;
    int handle = -1;    // the rule's handle, -1 when the listing has none (or for a policy)
    bool policy = false; // the chain's drop policy blocks the port: no rule accepts it
};

// The first rule of a chain on the incoming path (hook input, prerouting or ingress, or a chain
// without hook that others jump to) that drops or rejects TCP to port by its destination port
// ("tcp dport" or "th dport": one port, a range, or a set of them) and that no earlier rule of
// the chain accepting the port goes before, or else a base chain whose
// policy drops and that has no rule that might accept the port (an accept by that port, an
// accept without a port, a jump or goto). Nothing when neither is found.
std::optional<BlockingRule> FindBlockingRule(std::string_view ruleset, int port);

} // namespace selfcheck
