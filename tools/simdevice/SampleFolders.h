// Folder records to start the stand-alone device with.
#pragma once

#include "tools/simdevice/SimulatedDevice.h"

#include <vector>

namespace simdevice {

// Records "Scans1" ... "ScansN"; odd ones carry an account, even ones leave sign-in to the device.
std::vector<Folder> SampleFolders(int count);

} // namespace simdevice
