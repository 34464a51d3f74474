#include "tools/simdevice/CommandHandlers.h"

#include <string>
#include <vector>

namespace simdevice {

// Enabling and disabling are one command: the list names every feature that stays on.
void HandleEnableFolder(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply)
{
    const pugi::xml_node list = command.child("Request").child("MfpRecord").child("ListOfEnabledFeatures");
    if (!list) {
        reply.SetReturnCode(kInvalidRequest);
        return;
    }
    std::vector<std::string> features;
    for (const pugi::xml_node feature : list.children("Feature"))
        features.emplace_back(feature.attribute("Name").value());
    state.SetEnabledFeatures(std::move(features));
}

} // namespace simdevice
