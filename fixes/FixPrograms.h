// The programs the fixes run, by their fixed absolute paths on Debian, and how long each may take.
#pragma once

namespace fixes {

inline constexpr const char* kGpasswdProgram = "/usr/bin/gpasswd";
inline constexpr const char* kSmbpasswdProgram = "/usr/bin/smbpasswd";
inline constexpr const char* kSystemctlProgram = "/usr/bin/systemctl";
inline constexpr const char* kNftProgram = "/usr/sbin/nft";
inline constexpr const char* kUfwProgram = "/usr/sbin/ufw";
inline constexpr const char* kFirewallCmdProgram = "/usr/bin/firewall-cmd";
inline constexpr const char* kPkexecProgram = "/usr/bin/pkexec";

// The helper, where the package installs it and where the polkit policy names it.
inline constexpr const char* kHelperProgram = "/usr/libexec/tarrow/tarrow-fix-helper";
// The configuration the installed helper edits and hands to Samba's tools.
inline constexpr const char* kSystemSambaConfig = "/etc/samba/smb.conf";

// Milliseconds.
inline constexpr int kToolTimeout = 15000;     // gpasswd, smbpasswd, testparm, nft, a systemctl question
inline constexpr int kServiceTimeout = 60000;  // systemctl enable, start, reload; ufw, firewall-cmd
// The whole helper run through pkexec, authentication dialog included.
inline constexpr int kHelperTimeout = 300000;

} // namespace fixes
