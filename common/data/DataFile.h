// Where the settings data file lies: beside the programs, so that both find it.
#pragma once

#include "platform/core/CString.h"

inline constexpr const char16_t* kDataFileName = u"tarrow.data";

// Module folder + "\" + "tarrow.data".
CString DataFilePath();

// Whether the file can be opened for reading; the data file's users test this before parsing.
bool CanOpenForReading(const CString& path);
