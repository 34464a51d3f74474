// Where the settings data file lies: beside the programs, so that both find it.
#pragma once

#include "platform/core/CString.h"

inline constexpr const char16_t* kDataFileName = u"tarrow.data";

// Module folder + "\" + "tarrow.data".
CString DataFilePath();

// Whether the path names a regular file (links followed) that can be opened for reading; the data
// file's users test this before parsing. A folder, a FIFO or a device is no data file: it takes
// the "cannot be opened" path, and testing it never waits.
bool CanOpenForReading(const CString& path);
