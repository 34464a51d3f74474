// One handler per command the device carries out. Each reads the command element, works on
// the device's state and fills in the reply.
#pragma once

#include "tools/simdevice/DeviceState.h"
#include "tools/simdevice/ReplyDocument.h"

#include <pugixml.hpp>

namespace simdevice {

using CommandHandler = void (*)(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply);

// Device record and access (MfpCommandHandlers.cpp)
void HandleIsValidMfp(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply);
void HandleGetMfpRecord(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply);
void HandleIsValidFolderPath(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply);

// Folder database (FolderCommandHandlers.cpp)
void HandleAddFolder(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply);
void HandleDeleteFolders(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply);
void HandleCountFolders(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply);
void HandleListFolders(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply);

// Send-to-folder features (FeatureCommandHandlers.cpp)
void HandleEnableFolder(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply);

} // namespace simdevice
