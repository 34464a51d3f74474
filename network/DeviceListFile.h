// "NtwkDevList.js": the devices of the last search that the finish page offers.
#pragma once

#include "network/NetworkState.h"
#include "platform/core/CString.h"

// What the worker hands to SaveDiscoveredDevices and gets back.
struct DiscoveryRecord {
    CString label;        // text of the log line with the device count
    int listedCount = 0;  // devices written to the file
};

inline constexpr const char16_t* kDeviceListFileName = u"NtwkDevList.js";

// Run folder + "/js/NtwkDevList.js".
CString DeviceListFilePath(const CString& runFolder);

// Writes the file from the service's last search, listing only the devices the library
// supports, and sets record.listedCount. The file is UTF-16LE with FF FE and CR LF line ends;
// every text is an escaped JavaScript string. When the file cannot be opened the process ends
// at once with exit code 0.
void SaveDiscoveredDevices(DiscoveryRecord& record, NetworkState& state);
