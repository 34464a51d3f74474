// Building blocks of the checks' results: the three kinds of result, and the texts of fixes
// (shell quoting, the Samba configuration file a fix edits, Samba tools with that file).
#pragma once

#include "SelfCheck.h"

#include <string>
#include <vector>

namespace selfcheck {

// The detail of a check that only root can make, with the run that makes it.
inline constexpr const char* kNeedsRoot = "needs root (run: sudo tarrowctl doctor)";

CheckResult Ok(std::string detail);
CheckResult Problem(std::string detail, std::string fix);
// A problem that the privileged helper mends with the request remedy.
CheckResult Problem(std::string detail, std::string fix, std::vector<std::string> remedy);
CheckResult Skipped(std::string detail);

// The word as a shell reads it back unchanged: as it is when it holds only safe characters,
// else in single quotes ('' for the empty word).
std::string ShellQuote(const std::string& word);

// The words quoted and joined by spaces.
std::string ShellCommand(const std::vector<std::string>& words);

// The Samba configuration the platform uses: TARROW_SMB_CONF's file, else /etc/samba/smb.conf.
std::string SambaConfigFile();

// The fix for settings of smb.conf's [global] section:
// "add to [global] in FILE: LINE; LINE; then run: systemctl restart SERVICE".
std::string GlobalSettingsFix(const std::vector<std::string>& lines, const std::string& service = "smbd");

// A Samba tool's command line with the configuration option when TARROW_SMB_CONF names a file:
// ("net", "-s", {"usershare", ...}) gives "net -s FILE usershare ...".
std::string SambaToolCommand(const std::string& tool, const char* configOption, const std::vector<std::string>& words);

} // namespace selfcheck
