// The wizard's runs of TarrowNetwork: what the program hands back goes into the wizard's state.
#pragma once

#include "wizard/WizardState.h"

#include "frontend/NetworkProgram.h"

// Runs the program (frontend/NetworkProgram.h), stores its exit code in exitCode and
// networkExitCode (-1 when it could not be started) and reads the data file keys of the mode into
// the state: accessState, deviceIp and modelName for the address modes (the last two only from a
// data file that was read); for the list mode the chosen device's addresses into the three boxes,
// or the boxes emptied when none was chosen.
// A stop (the device check's; null for the search) ends the program early.
void LaunchNetworkProgram(WizardState& state, int& exitCode, NetworkMode mode, const CString& address,
                          platform::ChildStop* stop = nullptr);
