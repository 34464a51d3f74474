// The computer-side self-test: whether this computer is ready for a device to write scans into a
// shared folder over SMB. Each check looks at one thing a transfer needs, in the order in which a
// transfer would fail, and says what it found and, for a problem, the command that fixes it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace selfcheck {

enum class Status {
    Ok,      // the check found what a transfer needs
    Problem, // a transfer fails (or may fail) because of what it found; fix says what to do
    Skipped, // the check could not look (a tool missing or refused, or nothing given to check)
};

// "ok", "problem" or "skipped".
const char* StatusName(Status status);

struct CheckResult {
    std::string name;   // the check's short name, e.g. "samba-account"
    Status status = Status::Skipped;
    std::string detail; // one line: what the check found
    std::string fix;    // for a problem: a command line to paste, or a hint; else empty
    // For a problem that the privileged helper mends: its request (verb and words, as
    // tarrow-fix-helper takes them); else empty.
    std::vector<std::string> remedy;
};

// What the device needs of the server's protocol.
struct DeviceNeeds {
    // The lowest SMB dialect the device speaks: "NT1" (SMB1), "SMB2" or "SMB3".
    std::string lowestDialect = "SMB2";
    // Whether the device signs in with NTLMv1 only.
    bool needsNtlmV1 = false;
    // The device's IP address, when known: the firewall's opening is made for it alone.
    std::string address;
};

struct CheckInput {
    std::string account;      // Unix/Samba account the device writes as
    std::string shareName;    // may be empty: the share check is skipped
    std::string folder;       // POSIX path of the scan folder; may be empty: the folder check is skipped
    std::string computerName; // the host name in the device's network path \\NAME\share
    DeviceNeeds device;
    // The account's password, when given: without root, Samba's logon of the account says
    // whether Samba has a password for it.
    std::optional<std::string> password;
    // The account that makes the usershares (the one running the set-up); may be empty.
    std::string shareMaker;
};

// Runs every check, in order, and returns one result per check.
std::vector<CheckResult> RunChecks(const CheckInput& input);

// The names of the checks, in the order RunChecks runs them.
std::vector<std::string> CheckNames();

} // namespace selfcheck
