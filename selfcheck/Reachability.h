// Whether the sockets on which smbd answers cover an address that other devices can reach.
#pragma once

#include "LocalAddresses.h"
#include "ProcNet.h"
#include "SelfCheck.h"

#include <vector>

namespace selfcheck {

// Ok when a listening socket covers one of the network addresses (a socket bound to "::" covers
// IPv4 as well, as Linux binds by default); a problem when they cover loopback only.
CheckResult JudgeReachability(int port, const std::vector<LocalSocket>& listening,
                              const std::vector<InterfaceAddress>& networkAddresses);

} // namespace selfcheck
