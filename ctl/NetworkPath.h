// Network paths \\HOST\SHARE, as the device's folder records name the shares they write into.
#pragma once

#include <string>

// "\\host\share".
std::string NetworkPath(const std::string& host, const std::string& share);

// "\\HOST\SHARE" split in two; false for anything else.
bool SplitNetworkPath(const std::string& path, std::string& host, std::string& share);
