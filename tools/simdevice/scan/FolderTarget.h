// Where a folder record's network path leads the device: the path split into host, share and
// folders, the host looked up in the device's name table, and the device's words when that fails.
// Scans and folder-path checks find their server the same way.
#pragma once

#include "tools/simdevice/scan/NameTable.h"
#include "tools/simdevice/scan/SmbFolderClient.h"

#include <string>

namespace simdevice {

// Failures of the path, in the SMB protocol's words as a device reports them.
inline constexpr const char* kBadPathSyntax = "NT_STATUS_OBJECT_PATH_SYNTAX_BAD";  // not \\HOST\SHARE[\...]
inline constexpr const char* kUnknownHost = "NT_STATUS_BAD_NETWORK_NAME";         // host not in the name table
inline constexpr const char* kOffLoopback = "NT_STATUS_HOST_UNREACHABLE";         // the simulator reaches 127/8 only

// Fills target with the server that networkPath names, on smbPort. Empty when it did, else the
// status above that says why not (target is then left as it was).
std::string FindFolderTarget(const std::string& networkPath, const NameTable& names, int smbPort, SmbTarget& target);

} // namespace simdevice
