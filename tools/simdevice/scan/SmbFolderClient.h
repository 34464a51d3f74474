// The device's SMB client for network folders, through libsmbclient: it signs in and opens a
// folder, as a device does when it checks a folder path, and writes one new file into it, as it
// does when it delivers a scan.
#pragma once

#include "tools/simdevice/scan/NetworkPath.h"

#include <string>

namespace simdevice {

struct SmbAccount {
    std::string userName;
    std::string password;
    std::string domain;  // empty: the server's own
    SmbAccount() = default;
    SmbAccount(std::string user, std::string secret, std::string workgroup);
    SmbAccount(const SmbAccount&) = default;
    SmbAccount& operator=(const SmbAccount&) = default;
    ~SmbAccount();  // wipes the password
};

struct SmbTarget {
    std::string address;  // dotted IPv4 address of the server
    int port = 445;
    NetworkPath path;     // its host part is not used: the address stands for it
};

struct SmbWriteResult {
    bool written = false;
    std::string fileName;  // when written
    std::string status;    // when not: an NT_STATUS_... word (SmbStatus.h)
};

// Signs in as account and opens the share and the folder below it that the path names: the
// steps a scan takes before it creates its file, with their statuses. Empty when every step
// succeeded, else the status of the one that failed (SmbStatus.h).
std::string OpenFolder(const SmbTarget& target, const SmbAccount& account);

// Highest number a new file name takes before the folder counts as full.
inline constexpr int kMaxFileNumber = 9999;

// Signs in as account and creates the file prefix + NNNN + "." + extension (four digits, the
// first number from 1 whose name is free: creating with O_EXCL never overwrites, and a name
// taken meanwhile by another writer moves on to the next number), then writes content into it.
// A file whose writing fails is deleted again, so that a failure leaves the folder as it was.
// Scans and folder checks run one at a time through one client kept for the process; each one
// signs in anew.
SmbWriteResult WriteNewFile(const SmbTarget& target, const SmbAccount& account, const std::string& prefix,
                            const std::string& extension, const std::string& content);

} // namespace simdevice
