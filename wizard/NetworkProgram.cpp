#include "wizard/NetworkProgram.h"

#include "common/data/CNetworkConnect.h"
#include "common/data/DataFile.h"
#include "common/log/LogEscape.h"
#include "common/log/ProgramLog.h"
#include "platform/core/Paths.h"
#include "platform/core/ProcessLauncher.h"
#include "platform/core/Services.h"

#include <cstdio>

namespace {

struct ModeRow {
    NetworkMode mode;
    const char16_t* commandSwitch;
    const char16_t* addressKey; // the key that holds the device's IP address; null: the one entered
};

constexpr ModeRow kModes[] = {
    {NetworkMode::IPAddress, u" -ipaddress ", nullptr},
    {NetworkMode::MACAddress, u" -macaddress ", u"IPAddressFromMAC"},
    {NetworkMode::HostName, u" -hostname ", u"IPAddressFromHost"},
    {NetworkMode::List, u"", nullptr},
};

const ModeRow& RowOf(NetworkMode mode)
{
    return kModes[static_cast<int>(mode)];
}

// The value of key, or empty when the file or the key is missing.
CString ValueOf(const char16_t* key)
{
    CString value;
    CNetworkConnect::ReadXML(value, key);
    return value;
}

void ReadAddressCheck(WizardState& state, int exitCode, NetworkMode mode)
{
    if (exitCode != 0) {
        state.accessState = u"TRUE";
        return;
    }
    const ModeRow& row = RowOf(mode);
    CString ipAddress = state.ipText;
    CString first;
    if (!CNetworkConnect::ReadXML(first, row.addressKey ? row.addressKey : u"PrinterModelName")) {
        state.accessState = u"DataFileError";
        return;
    }
    if (row.addressKey) {
        ipAddress = first;
        state.modelName = ValueOf(u"PrinterModelName");
    } else {
        state.modelName = first;
    }
    state.deviceIp = ipAddress;
    state.accessState = ValueOf(u"PrinterAccessError");
}

void ReadChoice(WizardState& state)
{
    CString status;
    // No data file: the search was stopped or its list could not be written; nothing was chosen.
    if (!CNetworkConnect::ReadXML(status, u"SelectionStatus") || status == u"0") {
        state.ipText.Empty();
        state.macText.Empty();
        state.hostText.Empty();
        return;
    }
    state.ipText = ValueOf(u"IPAddress");
    state.deviceIp = state.ipText;
    state.macText = ValueOf(u"MACAddress");
    state.hostText = ValueOf(u"HostName");
    state.modelName = ValueOf(u"PrinterModelName");
}

} // namespace

CString NetworkCommandLine(const WizardState& state, NetworkMode mode, const CString& address)
{
    return u" -x " + IntToCString(state.posX) + u" -y " + IntToCString(state.posY) + RowOf(mode).commandSwitch +
           u"\"" + address + u"\"";
}

void LaunchNetworkProgram(WizardState& state, int& exitCode, NetworkMode mode, const CString& address)
{
    CLogStream& log = ProgramLog();
    const CString program = state.moduleFolder + u"\\TarrowNetwork.exe";
    const CString commandLine = NetworkCommandLine(state, mode, address);
    // What the program writes is this run's answer, never an earlier run's.
    std::remove(platform::ToPosixPathOrMissing(DataFilePath()).c_str());

    log.Close();
    bool started = platform::Use<platform::IProcessLauncher>().RunAndWait(program, commandLine, exitCode);
    log.Open(kLogFilePath);
    if (!started) {
        exitCode = -1;
        log.Line(u"LaunchNetworkProgram(): ERROR: Could not start " + EscapeForLog(program) + u" with" +
                 EscapeForLog(commandLine));
    }
    state.networkExitCode = exitCode;

    if (mode == NetworkMode::List)
        ReadChoice(state);
    else
        ReadAddressCheck(state, exitCode, mode);
}
