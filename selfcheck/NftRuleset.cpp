#include "NftRuleset.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <vector>

namespace selfcheck {

namespace {

// Hooks whose packets come in to this computer; a chain without hook counts too.
constexpr std::string_view kIncomingHooks[] = {"", "input", "prerouting", "ingress"};

// Port names that nft may print instead of numbers.
constexpr std::pair<std::string_view, int> kServiceNames[] = {
    {"microsoft-ds", 445}, {"netbios-ssn", 139}};

constexpr std::string_view kHandleComment = "# handle ";

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        bool separator = c == ' ' || c == '\t' || c == ',' || c == ';';
        if (separator || c == '{' || c == '}') {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
            if (!separator)
                words.push_back(std::string(1, c));
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

bool ToPort(std::string_view text, int& port)
{
    for (const auto& [name, number] : kServiceNames)
        if (text == name) {
            port = number;
            return true;
        }
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    return error == std::errc() && end == text.data() + text.size();
}

// Whether one value ("445", "400-500", "microsoft-ds") names the port.
bool ValueHolds(std::string_view value, int port)
{
    int low = 0, high = 0;
    std::size_t dash = value.find('-');
    if (dash != std::string_view::npos && dash > 0 && ToPort(value.substr(0, dash), low) &&
        ToPort(value.substr(dash + 1), high))
        return low <= port && port <= high;
    return ToPort(value, low) && low == port;
}

enum class PortMatch {
    None,  // the rule has no TCP destination port match
    Other, // it matches TCP destination ports, not this one (or a negated match)
    This,  // it matches this destination port
};

PortMatch MatchesPort(const std::vector<std::string>& words, int port)
{
    PortMatch match = PortMatch::None;
    for (std::size_t i = 0; i + 2 < words.size(); ++i) {
        if ((words[i] != "tcp" && words[i] != "th") || words[i + 1] != "dport")
            continue;
        match = PortMatch::Other;
        std::size_t at = i + 2;
        if (words[at] == "!=")
            continue;
        if (words[at] == "{") {
            for (++at; at < words.size() && words[at] != "}"; ++at)
                if (ValueHolds(words[at], port))
                    return PortMatch::This;
        } else if (ValueHolds(words[at], port)) {
            return PortMatch::This;
        }
    }
    return match;
}

bool Has(const std::vector<std::string>& words, std::string_view word)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

// Matches after which an accept cannot let in a new TCP connection from the network: other
// protocols, loopback, connections already made.
constexpr std::string_view kNotNewTcpFromNetwork[] = {"udp", "icmp", "icmpv6", "ipv6-icmp", "\"lo\"", "lo"};

bool AcceptsNewTcpFromNetwork(const std::vector<std::string>& words)
{
    for (std::string_view word : kNotNewTcpFromNetwork)
        if (Has(words, word))
            return false;
    return !Has(words, "ct") || Has(words, "new");
}

struct Chain {
    std::string family, table, name, hook;
    bool dropPolicy = false;
    bool mayAccept = false; // some rule may accept the port or hand it to another chain
    bool acceptsPort = false; // an earlier rule accepts the port itself (for some sources)
};

class Reader {
public:
    explicit Reader(int port) : m_port(port) {}

    std::optional<BlockingRule> Read(std::string_view ruleset)
    {
        std::istringstream lines{std::string(ruleset)};
        for (std::string line; std::getline(lines, line);) {
            if (auto found = Line(line))
                return found;
        }
        return m_policyBlock;
    }

private:
    std::optional<BlockingRule> Line(std::string line)
    {
        int handle = -1;
        if (std::size_t at = line.find(kHandleComment); at != std::string::npos) {
            ToPort(std::string_view(line).substr(at + kHandleComment.size()), handle);
            line.erase(at);
        }
        std::vector<std::string> words = Words(line);
        int opened = static_cast<int>(std::count(words.begin(), words.end(), "{"));
        int closed = static_cast<int>(std::count(words.begin(), words.end(), "}"));
        if (m_depth == 0 && words.size() >= 3 && words[0] == "table") {
            m_family = words[1];
            m_table = words[2];
        } else if (m_depth == 1 && words.size() >= 2 && words[0] == "chain") {
            m_chain = Chain{m_family, m_table, words[1], "", false, false, false};
            m_inChain = true;
        } else if (m_depth == 2 && m_inChain && !words.empty()) {
            if (auto found = Rule(words, line, handle))
                return found;
        }
        m_depth += opened - closed;
        if (m_inChain && m_depth < 2) {
            EndChain();
            m_inChain = false;
        }
        return std::nullopt;
    }

    std::optional<BlockingRule> Rule(const std::vector<std::string>& words, const std::string& line, int handle)
    {
        if (words[0] == "type") {
            for (std::size_t i = 0; i + 1 < words.size(); ++i) {
                if (words[i] == "hook")
                    m_chain.hook = words[i + 1];
                if (words[i] == "policy")
                    m_chain.dropPolicy = words[i + 1] == "drop";
            }
            return std::nullopt;
        }
        if (!Incoming())
            return std::nullopt;
        PortMatch match = MatchesPort(words, m_port);
        // A drop after an accept of the port leaves open what that accept lets in (an opening
        // for one device inserted in front of it).
        if (match == PortMatch::This && (Has(words, "drop") || Has(words, "reject")) && !m_chain.acceptsPort)
            return BlockingRule{m_chain.family, m_chain.table, m_chain.name, Trimmed(line), handle, false};
        bool handsOn = Has(words, "jump") || Has(words, "goto");
        bool accepts = Has(words, "accept") && match != PortMatch::Other && AcceptsNewTcpFromNetwork(words);
        if (handsOn || accepts)
            m_chain.mayAccept = true;
        if (accepts && match == PortMatch::This)
            m_chain.acceptsPort = true;
        return std::nullopt;
    }

    void EndChain()
    {
        if (!m_policyBlock && m_chain.dropPolicy && !m_chain.hook.empty() && Incoming() && !m_chain.mayAccept)
            m_policyBlock = BlockingRule{m_chain.family, m_chain.table, m_chain.name, "policy drop", -1, true};
    }

    bool Incoming() const
    {
        return std::find(std::begin(kIncomingHooks), std::end(kIncomingHooks), m_chain.hook) != std::end(kIncomingHooks);
    }

    static std::string Trimmed(const std::string& text)
    {
        std::size_t start = text.find_first_not_of(" \t");
        std::size_t end = text.find_last_not_of(" \t");
        return start == std::string::npos ? "" : text.substr(start, end - start + 1);
    }

    int m_port;
    int m_depth = 0;
    std::string m_family, m_table;
    Chain m_chain;
    bool m_inChain = false;
    std::optional<BlockingRule> m_policyBlock;
};

} // namespace

std::optional<BlockingRule> FindBlockingRule(std::string_view ruleset, int port)
{
    return Reader(port).Read(ruleset);
}

} // namespace selfcheck
