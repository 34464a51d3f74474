// The discovery program's window message, on top of the shared base values.
#pragma once

#include "platform/ui/WindowMessages.h"

// Posted by the discovery worker to the progress page when the device list file is complete.
inline constexpr unsigned WM_DISCOVERY_DONE = WM_USER + 5;
