// The privileged helper's run: started by pkexec as root, it takes the acting account from
// PKEXEC_UID (and only when the program that started it runs as that account), reads and checks
// one request from its arguments, the password for a Samba password request from standard input,
// runs the fix, and logs each step to the system log and standard error (never a password).
#pragma once

#include <string>
#include <vector>

namespace fixes {

// Exit statuses of the helper.
inline constexpr int kHelperOk = 0;
inline constexpr int kHelperFailed = 1;  // the fix was tried and did not succeed; nothing is left half-done
inline constexpr int kHelperRefused = 2; // the request or its caller was refused; nothing was tried

// words: the arguments after the program's name. sambaConfig: the smb.conf the fixes edit.
int RunFixHelper(const std::vector<std::string>& words, const std::string& sambaConfig);

} // namespace fixes
