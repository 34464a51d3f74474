// Tarrow's reader of the settings data file that TarrowNetwork leaves behind.
#pragma once

#include "platform/core/CString.h"

class CNetworkConnect {
public:
    // Sets value to the text of the key's element (empty when it has none) and returns 1; returns
    // 0 and leaves value unchanged when the file or the key is missing. Keys and "settings" are
    // matched without regard to letter case. A malformed file stops the program (exit code 255).
    static int ReadXML(CString& value, const CString& key);
};
