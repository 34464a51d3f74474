// A folder record as it travels in the device's XML: the attributes of a DbFolderRec element.
#pragma once

#include "tools/simdevice/SimulatedDevice.h"

#include <pugixml.hpp>

namespace simdevice {

Folder FolderFromRecord(const pugi::xml_node& record);

// Writes FolderName, FolderPath and UserName first, as the library walks them in that order;
// UserName is there (empty without an account), Password only when the record holds one (real
// devices echo it), then the domain, authentication type and scan options. Attributes named in
// the folder's unlisted are left out.
void WriteFolderRecord(pugi::xml_node record, const Folder& folder);

} // namespace simdevice
