#include "tools/simdevice/ProgramOptions.h"

#include "tools/simdevice/LoopbackAddress.h"
#include "tools/simdevice/Profiles.h"
#include "tools/simdevice/scan/NameTable.h"

#include <array>
#include <charconv>
#include <string_view>

namespace simdevice {

namespace {

constexpr int kMaxFolders = 10000;

bool ParseNumber(const std::string& text, int max, int& number)
{
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, number);
    return error == std::errc() && last == end && !text.empty() && number >= 0 && number <= max;
}

bool ApplyAddress(const std::string& value, ProgramOptions& options, std::string& error)
{
    const auto colon = value.rfind(':');
    const std::string host = value.substr(0, colon);
    if (colon != std::string::npos && !ParseNumber(value.substr(colon + 1), 65535, options.port)) {
        error = "bad port in --address " + value;
        return false;
    }
    if (!IsLoopbackAddress(host)) {
        error = "refusing address " + host + ": the simulated device listens only on 127.0.0.0/8";
        return false;
    }
    options.host = host;
    return true;
}

bool ApplyProfile(const std::string& value, ProgramOptions& options, std::string& error)
{
    const std::optional<Profile> profile = ProfileFromName(value);
    if (!profile) {
        error = "unknown profile " + value;
        return false;
    }
    options.profile = *profile;
    return true;
}

bool ApplyModel(const std::string& value, ProgramOptions& options, std::string&)
{
    options.modelName = value;
    return true;
}

bool ApplyFolders(const std::string& value, ProgramOptions& options, std::string& error)
{
    if (!ParseNumber(value, kMaxFolders, options.folders)) {
        error = "--folders needs a number from 0 to " + std::to_string(kMaxFolders);
        return false;
    }
    return true;
}

bool ApplyName(const std::string& value, ProgramOptions& options, std::string& error)
{
    std::string host, address;
    if (!ParseNameEntry(value, host, address)) {
        error = "--name needs HOST=IP with a 127.0.0.0/8 address, not " + value;
        return false;
    }
    options.names[host] = address;
    return true;
}

bool ApplySmbPort(const std::string& value, ProgramOptions& options, std::string& error)
{
    if (!ParseNumber(value, 65535, options.smbPort) || options.smbPort == 0) {
        error = "--smb-port needs a number from 1 to 65535";
        return false;
    }
    return true;
}

bool ApplyHelp(const std::string&, ProgramOptions& options, std::string&)
{
    options.help = true;
    return true;
}

struct OptionSpec {
    std::string_view name;
    std::string_view valueName;  // empty for an option without a value
    std::string_view help;
    bool (*apply)(const std::string& value, ProgramOptions& options, std::string& error);
};

constexpr std::array<OptionSpec, 7> kOptions{{
    {"--address", "HOST[:PORT]", "listen there (127.0.0.0/8 only; default 127.0.0.2:443, port 0 = any)", ApplyAddress},
    {"--profile", "NAME", "how the device behaves (see below; default managed-granted)", ApplyProfile},
    {"--model", "TEXT", "model name the device reports", ApplyModel},
    {"--folders", "N", "start with N folder records", ApplyFolders},
    {"--name", "HOST=IP", "scans and folder-path checks resolve HOST to IP (127.0.0.0/8; repeatable)", ApplyName},
    {"--smb-port", "N", "scans and folder-path checks connect to SMB port N (default 445)", ApplySmbPort},
    {"--help", "", "show this text", ApplyHelp},
}};

} // namespace

bool ParseOptions(const std::vector<std::string>& args, ProgramOptions& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const OptionSpec* spec = nullptr;
        for (const OptionSpec& each : kOptions)
            if (each.name == args[i])
                spec = &each;
        if (!spec) {
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
    return true;
}

std::string UsageText()
{
    std::string text = "usage: tarrow-simdevice [options]\n";
    for (const OptionSpec& spec : kOptions) {
        std::string left = "  " + std::string(spec.name);
        if (!spec.valueName.empty())
            left += " " + std::string(spec.valueName);
        left.resize(std::max<std::size_t>(left.size() + 1, 24), ' ');
        text += left + std::string(spec.help) + "\n";
    }
    text += "profiles:";
    for (Profile profile : AllProfiles())
        text += " " + std::string(ProfileName(profile));
    return text + "\n";
}

} // namespace simdevice
