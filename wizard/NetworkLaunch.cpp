#include "wizard/NetworkLaunch.h"

namespace {

void TakeAddressAnswer(WizardState& state, const AddressAnswer& answer)
{
    state.accessState = answer.accessState;
    if (answer.accessState == u"DataFileError")
        state.failureDetail = DataFileProblem(state.networkExitCode);
    if (answer.accessState == u"TRUE" || answer.accessState == u"DataFileError")
        return; // nothing was read: what the state held stays
    state.deviceIp = answer.deviceIp;
    state.modelName = answer.modelName;
}

void TakeChoice(WizardState& state, const DeviceChoice& choice)
{
    state.ipText = choice.ipAddress;
    state.macText = choice.macAddress;
    state.hostText = choice.hostName;
    if (!choice.chosen)
        return;
    state.deviceIp = choice.ipAddress;
    state.modelName = choice.modelName;
}

} // namespace

void LaunchNetworkProgram(WizardState& state, int& exitCode, NetworkMode mode, const CString& address,
                          platform::ChildStop* stop)
{
    exitCode = RunNetworkProgram(state.moduleFolder, NetworkArguments(state.posX, state.posY, mode, address), stop);
    state.networkExitCode = exitCode;
    if (mode == NetworkMode::List)
        TakeChoice(state, ReadDeviceChoice());
    else
        TakeAddressAnswer(state, ReadAddressAnswer(exitCode, mode, address));
}
