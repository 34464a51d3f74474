// The default search scope: every directly attached IPv4 subnet.
#pragma once

#include "SearchSettings.h"

namespace vesper {

// The directed broadcast address of each up, non-loopback IPv4 interface that has one, and the
// addresses of its subnet.
SearchScope InterfaceScope();

} // namespace vesper
