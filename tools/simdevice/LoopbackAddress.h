// The simulated device only ever listens on the loopback network.
#pragma once

#include <string>

namespace simdevice {

// True for a dotted IPv4 address in 127.0.0.0/8.
bool IsLoopbackAddress(const std::string& host);

} // namespace simdevice
