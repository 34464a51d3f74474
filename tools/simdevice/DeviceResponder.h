// How the device's web server answers one request in the device's current profile.
#pragma once

#include "tools/simdevice/DeviceState.h"
#include "tools/simdevice/HttpsServer.h"

namespace simdevice {

inline constexpr const char* kCommandPath = "/norvik/device/this.wjadsdsmp";

Reply Respond(const ReceivedRequest& request, DeviceState& state);

} // namespace simdevice
