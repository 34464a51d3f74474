// Reading a request's xml_request text into the command it carries.
#pragma once

#include <pugixml.hpp>

#include <string>

namespace simdevice {

struct Command {
    pugi::xml_document document;
    pugi::xml_node element;  // the command element, e.g. <DbAddRec CommandID="128">
    bool wrapped = false;    // sent inside <MfpCommands>

    std::string Name() const;
    std::string Id() const;
};

// Parses the text; on failure returns false with a short reason.
bool ParseCommand(const std::string& xmlRequest, Command& command, std::string& reason);

} // namespace simdevice
