// The device's check of a folder record's path and account (the IsValidFolderPath command): it
// signs in to the share as the record's account and opens the share and the folder, as a scan
// does before it writes, so that it fails where a scan would fail and with the same status.
#pragma once

#include "tools/simdevice/SimulatedDevice.h"
#include "tools/simdevice/scan/NameTable.h"

#include <string>

namespace simdevice {

// The reply's word for a record the check accepts.
inline constexpr const char* kValidPath = "ValidPath";
// The reply's word for a record refused by a check that a test put in the device's place.
inline constexpr const char* kRefusedByValidator = "FOLDER_PATH_INVALID";

// Empty when the record's account signs in and opens the share and folder of its path (the path's
// host looked up in names, the server on smbPort); else the status a scan to it would report.
std::string CheckFolderPath(const Folder& record, const NameTable& names, int smbPort);

} // namespace simdevice
