// Where the settings data file lies: in this run's private folder, which the wizard hands to
// TarrowNetwork (platform/core/RunFolder.h), so that both find it and nothing else reads it.
#pragma once

#include "platform/core/CString.h"

inline constexpr const char16_t* kDataFileName = u"tarrow.data";

// TarrowNetwork's exit code when it could not write the data file (or its device list).
inline constexpr int kDataFileNotWritten = 2;

// Run folder + "/" + "tarrow.data"; empty when there is no run folder.
CString DataFilePath();

// Whether the path names a regular file (links followed) that can be opened for reading; the data
// file's users test this before parsing. A folder, a FIFO or a device is no data file: it takes
// the "cannot be opened" path, and testing it never waits.
bool CanOpenForReading(const CString& path);
