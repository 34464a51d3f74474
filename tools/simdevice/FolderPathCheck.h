// The device's default test of a folder path and its credentials.
#pragma once

#include "tools/simdevice/SimulatedDevice.h"

#include <string>
#include <vector>

namespace simdevice {

// The share of a network path: what follows its last backslash.
std::string ShareOf(const std::string& folderPath);

// Accepts a record with a user name, a password and a share that is one of knownShares
// (any share when knownShares is empty).
bool AcceptsFolderPath(const Folder& folder, const std::vector<std::string>& knownShares);

} // namespace simdevice
