// A scan from the device's panel to one folder entry: which account signs in, which host the
// path names, which document goes there, and the words the panel shows when that goes wrong.
#pragma once

#include "tools/simdevice/SimulatedDevice.h"
#include "tools/simdevice/scan/NameTable.h"

#include <string>

namespace simdevice {

// The device's own failure words, for what fails before any SMB traffic.
inline constexpr const char* kNoSuchFolderEntry = "FOLDER_ENTRY_NOT_FOUND";
inline constexpr const char* kSignInRequired = "SIGN_IN_REQUIRED";  // MFP_USER_CREDENTIALS, no user given
inline constexpr const char* kUnsupportedFileFormat = "UNSUPPORTED_FILE_FORMAT";
inline constexpr const char* kUnsupportedAuthType = "UNSUPPORTED_AUTH_TYPE";
inline constexpr const char* kDocumentNotMade = "DOCUMENT_NOT_MADE";  // the encoder failed
// Failures of the path: tools/simdevice/scan/FolderTarget.h; of SMB: SmbStatus.h.

// New files are named kScanFilePrefix + four digits + extension: "Scan_0001.pdf".
inline constexpr const char* kScanFilePrefix = "Scan_";

// Delivers a scan to entry. caption is the line of text the PDF page shows.
ScanResult DeliverScan(const Folder& entry, const ScanRequest& request, const NameTable& names, int smbPort,
                       const std::string& caption);

// The caption of a scan to the entry at the current time: "Scanned to NAME at 2024-05-01 09:30:00 UTC".
std::string ScanCaption(const std::string& entryName);

} // namespace simdevice
