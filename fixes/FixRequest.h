// One request to the privileged helper: a verb (its first argument, which also names the polkit
// action) and the verb's words. Everything a caller hands over is checked here before anything
// runs; the acting account is never among the words (it comes from PKEXEC_UID).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fixes {

enum class Verb {
    JoinSambashare,    // join-sambashare: the caller joins group sambashare
    SetSambaPassword,  // set-samba-password ACCOUNT: the password comes on standard input
    StartSamba,        // start-samba [nmbd]: enable and start smbd (and nmbd)
    AllowOldDevice,    // allow-old-device smb1|ntlmv1...: the marked block in smb.conf's [global]
    DisallowOldDevice, // disallow-old-device: the marked block taken out again
    OpenFirewall,      // open-firewall ADDRESS: TCP 445 from that address
    CloseFirewall,     // close-firewall ADDRESS: that opening removed again
};

struct FixRequest {
    Verb verb = Verb::JoinSambashare;
    std::string account;  // SetSambaPassword
    bool nmbd = false;    // StartSamba
    bool smb1 = false;    // AllowOldDevice
    bool ntlmv1 = false;  // AllowOldDevice
    std::string address;  // OpenFirewall, CloseFirewall: in its normal written form
};

// The verb as argv[1] names it ("join-sambashare", ...).
const char* VerbWord(Verb verb);

// The polkit action of the verb ("org.tarrow.fix.join-sambashare").
std::string ActionId(Verb verb);

// The request read from the helper's arguments after the program's name; nothing with the reason
// in error for an unknown verb, a missing, extra or malformed word.
std::optional<FixRequest> ParseRequest(const std::vector<std::string>& words, std::string& error);

// The words that ParseRequest reads back into the same request.
std::vector<std::string> RequestWords(const FixRequest& request);

// Whether the request needs a password on standard input.
bool NeedsPassword(const FixRequest& request);

// An account name as Debian's adduser takes it: a lower-case letter or "_" first, then letters,
// digits, "_", "-" and "." (and a "$" at the end), at most 32 characters.
bool IsAccountName(const std::string& name);

// The address in its normal written form when it is one device's IPv4 or IPv6 address (not
// unspecified, loopback, multicast or broadcast); nothing otherwise.
std::optional<std::string> DeviceAddress(const std::string& text);

} // namespace fixes
