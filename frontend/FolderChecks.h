// The FolderName page's checks of the folder's parent path and name, before the library is asked.
#pragma once

#include "platform/core/CString.h"

// The 15 characters that a folder name may not hold.
inline constexpr const char16_t* kRefusedNameCharacters = u"\\/:;,\"?*+=<>[]|";

// Drops blanks at the end and then at the start of location, then checks that it names a folder
// that exists or could be made (a folder made for the check is removed again; parents made on
// the way stay). False when it is empty or cannot be made, each logged.
bool ValidateLocation(CString& location);

// Drops blanks at the end of name, then checks that it is not empty and holds no refused
// character. False otherwise, logged.
bool ValidateShareName(CString& name);

// The folder proposed for scans: the home drive (homeDrive) + "\Norvik_Scans\". False, both left
// as they were, when the home drive is unknown.
bool ProposeLocation(CString& location, CString& homeDrive);
