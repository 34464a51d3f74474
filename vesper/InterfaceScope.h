// The default search scope: every directly attached IPv4 subnet.
#pragma once

#include "SearchSettings.h"

#include <vector>

namespace vesper {

// The directed broadcast address of each up, non-loopback IPv4 interface that has one.
std::vector<ProbeTarget> InterfaceBroadcastTargets();

} // namespace vesper
