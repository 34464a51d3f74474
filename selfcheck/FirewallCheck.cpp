// Check 8: no firewall rule of nftables keeps the device from smbd's port.
#include "CheckText.h"
#include "Checks.h"
#include "NftRuleset.h"

#include "platform/core/Services.h"
#include "platform/core/RunProgram.h"
#include "platform/shares/SambaPort.h"

namespace selfcheck {

namespace {

constexpr const char* kNftProgram = "/usr/sbin/nft";
constexpr int kNftTimeout = 10000; // milliseconds

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

} // namespace

CheckResult CheckFirewall(const CheckInput& input)
{
    // -a adds each rule's handle, which the fix names.
    platform::ProgramResult run =
        platform::Use<platform::IProgramRunner>().Run({kNftProgram, "-a", "list", "ruleset"}, {}, kNftTimeout);
    if (!run.started)
        return Skipped(std::string(kNftProgram) + " is not installed; the firewall was not read");
    if (run.timedOut)
        return Skipped(std::string(kNftProgram) + " did not answer; the firewall was not read");
    if (run.exitCode != 0)
        return Skipped("nft could not read the firewall: " + FirstLine(run.output));

    const int port = platform::SambaServerPort();
    const std::string portText = "TCP port " + std::to_string(port);
    std::optional<BlockingRule> blocking = FindBlockingRule(run.output, port);
    if (!blocking)
        return Ok("no firewall rule blocks " + portText);
    const std::string chain = blocking->family + " " + blocking->table + " " + blocking->chain;
    const std::vector<std::string> chainWords{blocking->family, blocking->table, blocking->chain};
    auto nft = [&](std::vector<std::string> words) {
        std::vector<std::string> command{"nft"};
        command.insert(command.end(), words.begin(), words.end());
        return ShellCommand(command);
    };
    // The helper opens the port for the device alone, when its address is known.
    std::vector<std::string> remedy;
    if (!input.device.address.empty())
        remedy = {"open-firewall", input.device.address};
    if (blocking->policy)
        return Problem("chain " + chain + " drops " + portText + ": its policy drops what no rule accepts",
                       nft({"insert", "rule", blocking->family, blocking->table, blocking->chain, "tcp", "dport",
                            std::to_string(port), "accept"}),
                       remedy);
    std::string detail = "chain " + chain + " blocks " + portText + ": " + blocking->rule;
    if (blocking->handle < 0)
        return Problem(detail, "find the rule's handle with " + nft({"-a", "list", "chain", blocking->family, blocking->table,
                                                                      blocking->chain}) + " and delete it",
                       remedy);
    return Problem(detail, nft({"delete", "rule", blocking->family, blocking->table, blocking->chain, "handle",
                                std::to_string(blocking->handle)}),
                   remedy);
}

} // namespace selfcheck
