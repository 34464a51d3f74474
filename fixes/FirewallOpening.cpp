// TCP 445 opened for one device's address in the firewall that is in charge: firewalld or ufw
// when one of them runs, else nftables itself; and that opening removed again. With nftables the
// accepting rule goes into the chain that blocks the port (an accept in a table of its own would
// not outweigh another table's drop), marked by a comment that names the address, so that it is
// found again and nothing else is touched.
#include "FixActions.h"
#include "FixPrograms.h"

#include "selfcheck/NftRuleset.h"

#include <sstream>
#include <vector>

namespace fixes {

namespace {

constexpr int kSmbPort = 445;
const std::string kPort = std::to_string(kSmbPort);

enum class Firewall { None, Firewalld, Ufw, Nftables };

struct Detected {
    Firewall kind = Firewall::None;
    std::string ruleset; // nft -a list ruleset, for nftables
};

Detected DetectFirewall(const FixContext& context)
{
    if (Succeeded(RunStep(context, {kFirewallCmdProgram, "--state"}, kToolTimeout)))
        return {Firewall::Firewalld, {}};
    platform::ProgramResult ufw = RunStep(context, {kUfwProgram, "status"}, kServiceTimeout);
    if (Succeeded(ufw) && ufw.output.find("Status: active") != std::string::npos)
        return {Firewall::Ufw, {}};
    platform::ProgramResult nft = RunStep(context, {kNftProgram, "-a", "list", "ruleset"}, kToolTimeout);
    if (Succeeded(nft))
        return {Firewall::Nftables, nft.output};
    return {};
}

bool IsIpv6(const std::string& address)
{
    return address.find(':') != std::string::npos;
}

std::string Comment(const std::string& address)
{
    return "tarrow scans from " + address;
}

// ---- firewalld ----

std::string RichRule(const std::string& address)
{
    return std::string("rule family=\"") + (IsIpv6(address) ? "ipv6" : "ipv4") + "\" source address=\"" + address +
           "\" port port=\"" + kPort + "\" protocol=\"tcp\" accept";
}

FixOutcome FirewalldChange(const FixContext& context, const std::string& address, bool open)
{
    const std::string rule = RichRule(address);
    const std::string query = "--query-rich-rule=" + rule;
    const bool there = Succeeded(RunStep(context, {kFirewallCmdProgram, query}, kToolTimeout));
    if (there == open)
        return Unchanged(open ? "firewalld lets " + address + " reach TCP " + kPort + " already"
                              : "firewalld holds no opening for " + address);
    const std::string change = (open ? "--add-rich-rule=" : "--remove-rich-rule=") + rule;
    const std::string undo = (open ? "--remove-rich-rule=" : "--add-rich-rule=") + rule;
    platform::ProgramResult runtime = RunStep(context, {kFirewallCmdProgram, change}, kServiceTimeout);
    if (!Succeeded(runtime))
        return Refused("firewall-cmd refused the change: " + WhatItSaid(runtime));
    platform::ProgramResult permanent = RunStep(context, {kFirewallCmdProgram, "--permanent", change}, kServiceTimeout);
    if (!Succeeded(permanent)) {
        RunStep(context, {kFirewallCmdProgram, undo}, kServiceTimeout);
        return Refused("firewall-cmd could not keep the change: " + WhatItSaid(permanent) + "; nothing was changed");
    }
    return Done(open ? "firewalld now lets " + address + " reach TCP " + kPort
                     : "removed the opening of TCP " + kPort + " for " + address + " from firewalld");
}

// ---- ufw ----

FixOutcome UfwChange(const FixContext& context, const std::string& address, bool open)
{
    std::vector<std::string> command{kUfwProgram};
    if (!open)
        command.push_back("delete");
    command.insert(command.end(), {"allow", "proto", "tcp", "from", address, "to", "any", "port", kPort});
    platform::ProgramResult run = RunStep(context, command, kServiceTimeout);
    if (!Succeeded(run))
        return Refused("ufw refused the change: " + WhatItSaid(run));
    if (run.output.find("Skipping") != std::string::npos || run.output.find("Could not delete non-existent") != std::string::npos)
        return Unchanged(open ? "ufw lets " + address + " reach TCP " + kPort + " already"
                              : "ufw holds no opening for " + address);
    return Done(open ? "ufw now lets " + address + " reach TCP " + kPort
                     : "removed the opening of TCP " + kPort + " for " + address + " from ufw");
}

// ---- nftables ----

struct MarkedRule {
    std::string family, table, chain, handle;
};

// The rules that carry our comment for the address, with the chain each one is in.
std::vector<MarkedRule> FindMarkedRules(const std::string& ruleset, const std::string& address)
{
    const std::string marker = "comment \"" + Comment(address) + "\"";
    std::vector<MarkedRule> found;
    std::string family, table, chain;
    std::istringstream lines(ruleset);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "table") {
            words >> family >> table;
        } else if (first == "chain") {
            words >> chain;
        } else if (line.find(marker) != std::string::npos) {
            std::size_t at = line.rfind("# handle ");
            if (at != std::string::npos)
                found.push_back({family, table, chain, line.substr(at + 9)});
        }
    }
    return found;
}

FixOutcome NftOpen(const FixContext& context, const std::string& ruleset, const std::string& address)
{
    if (!FindMarkedRules(ruleset, address).empty())
        return Unchanged("nftables lets " + address + " reach TCP " + kPort + " already");
    std::optional<selfcheck::BlockingRule> blocking = selfcheck::FindBlockingRule(ruleset, kSmbPort);
    if (!blocking)
        return Unchanged("no nftables rule blocks TCP " + kPort);
    if (IsIpv6(address) ? blocking->family == "ip" : blocking->family == "ip6")
        return Refused("chain " + blocking->family + " " + blocking->table + " " + blocking->chain +
                       " blocks TCP " + kPort + " but cannot hold a rule for " + address);
    platform::ProgramResult run =
        RunStep(context, {kNftProgram, "insert", "rule", blocking->family, blocking->table, blocking->chain,
                          IsIpv6(address) ? "ip6" : "ip", "saddr", address, "tcp", "dport", kPort, "accept",
                          "comment", "\"" + Comment(address) + "\""},
                kToolTimeout);
    if (!Succeeded(run))
        return Refused("nft refused the rule: " + WhatItSaid(run));
    return Done("nftables chain " + blocking->family + " " + blocking->table + " " + blocking->chain + " now lets " +
                address + " reach TCP " + kPort + " (until its rules are loaded again from their file)");
}

FixOutcome NftClose(const FixContext& context, const std::string& ruleset, const std::string& address)
{
    std::vector<MarkedRule> marked = FindMarkedRules(ruleset, address);
    if (marked.empty())
        return Unchanged("nftables holds no opening for " + address);
    for (const MarkedRule& rule : marked) {
        platform::ProgramResult run = RunStep(
            context, {kNftProgram, "delete", "rule", rule.family, rule.table, rule.chain, "handle", rule.handle},
            kToolTimeout);
        if (!Succeeded(run))
            return Refused("nft could not delete the opening for " + address + ": " + WhatItSaid(run));
    }
    return Done("removed the opening of TCP " + kPort + " for " + address + " from nftables");
}

FixOutcome Change(const FixRequest& request, const FixContext& context, bool open)
{
    const Detected firewall = DetectFirewall(context);
    switch (firewall.kind) {
    case Firewall::Firewalld:
        return FirewalldChange(context, request.address, open);
    case Firewall::Ufw:
        return UfwChange(context, request.address, open);
    case Firewall::Nftables:
        return open ? NftOpen(context, firewall.ruleset, request.address)
                    : NftClose(context, firewall.ruleset, request.address);
    case Firewall::None:
        break;
    }
    return Unchanged("no firewall is active on this computer");
}

} // namespace

FixOutcome OpenFirewall(const FixRequest& request, const FixContext& context)
{
    return Change(request, context, true);
}

FixOutcome CloseFirewall(const FixRequest& request, const FixContext& context)
{
    return Change(request, context, false);
}

} // namespace fixes
