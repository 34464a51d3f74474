#include "tools/simdevice/scan/SimScanOptions.h"

#include "tools/simdevice/LoopbackAddress.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace simdevice {

namespace {

bool ApplyDevice(const std::string& value, SimScanOptions& options, std::string& error)
{
    const auto colon = value.rfind(':');
    const std::string host = value.substr(0, colon);
    if (colon != std::string::npos) {
        const std::string port = value.substr(colon + 1);
        const char* end = port.data() + port.size();
        const auto [last, failure] = std::from_chars(port.data(), end, options.port);
        if (failure != std::errc() || last != end || port.empty() || options.port < 1 || options.port > 65535) {
            error = "bad port in --device " + value;
            return false;
        }
    }
    // A test tool that skips certificate checks talks to loopback only.
    if (!IsLoopbackAddress(host)) {
        error = "refusing device " + host + ": only 127.0.0.0/8 addresses";
        return false;
    }
    options.host = host;
    return true;
}

bool ApplyFolder(const std::string& value, SimScanOptions& options, std::string&)
{
    options.folder = value;
    return true;
}

bool ApplyUser(const std::string& value, SimScanOptions& options, std::string&)
{
    options.user = value;
    return true;
}

bool ApplyDomain(const std::string& value, SimScanOptions& options, std::string&)
{
    options.domain = value;
    return true;
}

bool ApplyPasswordStdin(const std::string&, SimScanOptions& options, std::string&)
{
    options.passwordFromStdin = true;
    return true;
}

bool ApplyHelp(const std::string&, SimScanOptions& options, std::string&)
{
    options.help = true;
    return true;
}

struct OptionSpec {
    std::string_view name;
    std::string_view valueName;  // empty for an option without a value
    std::string_view help;
    bool (*apply)(const std::string& value, SimScanOptions& options, std::string& error);
};

// No option takes a password: command lines are visible to every user of the computer.
constexpr std::array<OptionSpec, 6> kOptions{{
    {"--device", "HOST[:PORT]", "the simulated device (127.0.0.0/8; port default 443)", ApplyDevice},
    {"--folder", "NAME", "the folder entry to scan to", ApplyFolder},
    {"--user", "NAME", "the account that signs in at the device", ApplyUser},
    {"--domain", "NAME", "that account's domain", ApplyDomain},
    {"--password-stdin", "", "read the account's password from the first line of standard input", ApplyPasswordStdin},
    {"--help", "", "show this text", ApplyHelp},
}};

} // namespace

bool ParseSimScanOptions(const std::vector<std::string>& args, SimScanOptions& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto spec = std::find_if(kOptions.begin(), kOptions.end(),
                                       [&](const OptionSpec& each) { return each.name == args[i]; });
        if (spec == kOptions.end()) {
            error = "unknown option " + args[i];
            return false;
        }
        std::string value;
        if (!spec->valueName.empty()) {
            if (i + 1 == args.size()) {
                error = args[i] + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (!spec->apply(value, options, error))
            return false;
    }
    if (options.help)
        return true;
    if (options.host.empty() || options.folder.empty()) {
        error = "--device and --folder are required";
        return false;
    }
    return true;
}

std::string SimScanUsageText()
{
    std::string text = "usage: tarrow-simscan --device HOST[:PORT] --folder NAME [--user NAME] [--domain NAME] "
                       "[--password-stdin]\n";
    for (const OptionSpec& spec : kOptions) {
        std::string left = "  " + std::string(spec.name);
        if (!spec.valueName.empty())
            left += " " + std::string(spec.valueName);
        left.resize(std::max<std::size_t>(left.size() + 1, 24), ' ');
        text += left + std::string(spec.help) + "\n";
    }
    return text + "exit status: 0 scanned, 1 the scan failed, 2 bad usage, 3 no answer from the device\n";
}

} // namespace simdevice
