// Runs TarrowNetwork, the discovery program, from the module folder and reads what it handed back
// in the settings data file. The wizard and tarrowctl both find devices this way.
#pragma once

#include "platform/core/ChildStop.h"
#include "platform/core/CString.h"
#include "platform/core/CStringList.h"

// The four run modes; the value is the one the command line and the log know.
enum class NetworkMode : int { IPAddress = 0, MACAddress = 1, HostName = 2, List = 3 };

// False for a text that no IP address, host name or MAC address can be: one that holds a blank or
// a quotation mark (blanks around it are to be trimmed first).
bool CanBeDeviceAddress(const CString& text);

// -x <posX> -y <posY>, then the mode's switch and the address as one argument (the list mode has
// neither).
CStringList NetworkArguments(int posX, int posY, NetworkMode mode, const CString& address);

// Removes the data file of an earlier run, then runs moduleFolder\TarrowNetwork.exe with these
// arguments, the program's log stream closed meanwhile; stop (may be null) ends it early. Returns the exit code: 0 success, 1 the
// address check failed or the user cancelled, 255 the data file could not be written; -1 when the
// program could not be started (logged).
int RunNetworkProgram(const CString& moduleFolder, const CStringList& arguments, platform::ChildStop* stop);

// What an address check handed back.
struct AddressAnswer {
    CString accessState; // "FALSE" reachable, "TRUE" not (or the run failed), "DataFileError"
    CString deviceIp;    // the device's IP address: the address checked, or the one found for it
    CString modelName;
};

// Reads the answer of a run in mode (not List) that checked address and ended with exitCode; a
// run that could not write its data file (kDataFileNotWritten) gives "DataFileError".
AddressAnswer ReadAddressAnswer(int exitCode, NetworkMode mode, const CString& address);

// Why a run's data file gave no answer ("DataFileError"), in plain words with the file's path:
// TarrowNetwork could not write it (exitCode kDataFileNotWritten), it could not be read, or no
// private run folder could be made for it.
CString DataFileProblem(int exitCode);

// The device chosen in a search (List mode); chosen is false when none was (no data file, or the
// search ended without a choice).
struct DeviceChoice {
    bool chosen = false;
    CString ipAddress, macAddress, hostName, modelName;
};

DeviceChoice ReadDeviceChoice();
