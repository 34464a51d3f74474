// add --if-absent: whether the folder of that name is set up already, on this computer and on the
// device, exactly as add would set it up.
#pragma once

#include "ctl/Device.h"

#include <string>

struct WantedSetUp {
    std::string computer, name; // the record's network path is \\computer\name
    std::string user;           // the account the record writes as; empty when the device asks at each scan
    std::string folder;         // the folder the share serves (a POSIX path)
};

// kExitOk with inPlace: true when the device holds a record of the name that writes to
// \\computer\name as the user and the share serves the folder, false when the device holds no
// record of the name. kExitFailed (said on standard error, with the fix) when the device's list
// cannot be read, when its record of the name writes elsewhere or as another account, or when
// the share or the folder of the record is missing here. Nothing is changed in any case.
int CheckExistingSetUp(const FoundDevice& device, const WantedSetUp& wanted, bool& inPlace);
