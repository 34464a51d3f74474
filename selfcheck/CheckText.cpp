#include "CheckText.h"

#include "platform/shares/SambaConfig.h"

namespace selfcheck {

namespace {

constexpr const char* kSystemSambaConfig = "/etc/samba/smb.conf";

bool IsSafeShellCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("@%_+=:,./-").find(c) != std::string_view::npos;
}

} // namespace

CheckResult Ok(std::string detail)
{
    return {{}, Status::Ok, std::move(detail), {}, {}};
}

CheckResult Problem(std::string detail, std::string fix)
{
    return {{}, Status::Problem, std::move(detail), std::move(fix), {}};
}

CheckResult Problem(std::string detail, std::string fix, std::vector<std::string> remedy)
{
    return {{}, Status::Problem, std::move(detail), std::move(fix), std::move(remedy)};
}

CheckResult Skipped(std::string detail)
{
    return {{}, Status::Skipped, std::move(detail), {}, {}};
}

std::string ShellQuote(const std::string& word)
{
    bool safe = !word.empty();
    for (char c : word)
        safe = safe && IsSafeShellCharacter(c);
    if (safe)
        return word;
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string ShellCommand(const std::vector<std::string>& words)
{
    std::string command;
    for (const auto& word : words)
        command += (command.empty() ? "" : " ") + ShellQuote(word);
    return command;
}

std::string SambaConfigFile()
{
    std::string path = platform::SambaConfigPath();
    return path.empty() ? kSystemSambaConfig : path;
}

std::string GlobalSettingsFix(const std::vector<std::string>& lines, const std::string& service)
{
    std::string fix = "add to [global] in " + SambaConfigFile() + ":";
    for (const auto& line : lines)
        fix += " " + line + ";";
    return fix + " then run: systemctl restart " + service;
}

std::string SambaToolCommand(const std::string& tool, const char* configOption, const std::vector<std::string>& words)
{
    std::vector<std::string> command{tool};
    for (auto& option : platform::SambaConfigOption(configOption))
        command.push_back(std::move(option));
    command.insert(command.end(), words.begin(), words.end());
    return ShellCommand(command);
}

} // namespace selfcheck
