// The device's folder record, in the form that the account asks for.
#pragma once

#include "ctl/ScanOptionWords.h"

#include "platform/core/CString.h"

struct StoredAccount {
    CString userName, password, domain;
};

// Registers \\host\share on the device at deviceIp with the scan options: with the account stored
// (the device writes as it), or, for a null account, asking whoever scans to sign in at the
// device. True when the device took it.
bool RegisterFolder(const CString& deviceIp, const CString& host, const CString& share, const ScanOptions& options,
                    const StoredAccount* account);
