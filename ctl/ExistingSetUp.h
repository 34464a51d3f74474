// add --if-absent: what of the folder of that name is set up already, on this computer and on
// the device, exactly as add would set it up.
#pragma once

#include "ctl/Device.h"

#include <string>

struct WantedSetUp {
    std::string computer, name; // the record's network path is \\computer\name
    std::string account;        // the account the share and the folder admit
    std::string user;           // the account the record writes as; empty when the device asks at each scan
    std::string folder;         // the folder the share serves (a POSIX path)
};

enum class SetUpFound {
    Nothing,      // no record of the name on the device, no share of the name here
    ComputerSide, // the share serves the folder for the account, but the device holds no record
                  // of the name (another device's set-up made it): the device's record is missing
    Whole,        // and the device's record writes to \\computer\name as the user
};

// kExitOk with what was found. kExitFailed (said on standard error, with the fix) when the
// device's list cannot be read, when its record of the name writes elsewhere or as another
// account, or when the share of the name is not the one wanted (missing beside a record,
// serving another folder, not admitting the account, or the folder without the account's
// rights). Nothing is changed in any case.
int CheckExistingSetUp(const FoundDevice& device, const WantedSetUp& wanted, SetUpFound& found);
