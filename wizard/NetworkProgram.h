// Runs TarrowNetwork, the discovery program, from the module folder and takes over what it found
// from the settings data file.
#pragma once

#include "wizard/WizardState.h"

// The four run modes; the value is the one the command line and the log know.
enum class NetworkMode : int { IPAddress = 0, MACAddress = 1, HostName = 2, List = 3 };

// " -x <posX> -y <posY>" + the mode's switch + the address between quotation marks.
CString NetworkCommandLine(const WizardState& state, NetworkMode mode, const CString& address);

// Removes the data file of an earlier run, runs the program (the log stream closed meanwhile),
// stores its exit code in exitCode and networkExitCode (-1 when it could not be started, which
// is logged) and reads the data file keys of the mode into the state: accessState, deviceIp and
// modelName for the address modes; for the list mode the chosen device's addresses into the
// three boxes, or the boxes emptied when none was chosen.
void LaunchNetworkProgram(WizardState& state, int& exitCode, NetworkMode mode, const CString& address);
