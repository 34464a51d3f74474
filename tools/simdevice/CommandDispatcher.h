// The device's command processor: turns one xml_request text into the reply text.
#pragma once

#include "tools/simdevice/DeviceState.h"

#include <string>

namespace simdevice {

// Unknown or unreadable requests get an error reply, never an exception.
std::string AnswerXmlRequest(const std::string& xmlRequest, DeviceState& state);

} // namespace simdevice
