// The device's folder records as the library lists them.
#pragma once

#include "ctl/Device.h"

#include <string>
#include <vector>

struct FolderRecordRow {
    std::string name, path, user;
    std::string format, resolution, color, size; // the device's words; empty when not listed
};

// Reads the device's folder list anew. False (said on standard error) when it could not be read.
bool ReadFolderRecords(const FoundDevice& device, std::vector<FolderRecordRow>& records);
