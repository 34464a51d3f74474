#include "wizard/DeviceCheck.h"

#include "wizard/DeviceFolderList.h"
#include "wizard/NetworkLaunch.h"
#include "wizard/WizardMessages.h"

#include "frontend/Blanks.h"

#include "common/localization/ShowMessageBox.h"
#include "library/Quillet_Library.h"

namespace {

// What a GetSupportedFeatures result means for the wizard: stop with a message, or go on
// (setting feature where the row names one). Results not listed go on.
struct FeatureRow {
    int result;
    unsigned message;  // 0: none, go on
    MessageBoxKind kind;
    const char16_t* knownIssue;
    int feature;       // 0: feature unchanged
};

constexpr FeatureRow kFeatures[] = {
    {DEVICE_NOT_SUPPORTED, 136, ErrorBox, u"", 0},
    {DEVICE_SUPPORTED, 0, ErrorBox, u"", 0},
    {UNMANAGED_SCAN_TO_DESKTOP, 0, ErrorBox, u"", 2},
    {MANAGED_SCAN_TO_NETWORK, 0, ErrorBox, u"", 3},
    {UNMANAGED_NO_FW_SUPPORT, 143, ErrorBox, u"", 0},
    {MANAGED_BLOCKED_BY_EWS, 144, ErrorBox, u"", 0},
    {EWS_PASSWORD_PROTECTED, 160, KnownIssueError, u"6", 0},
};

// One address box of the page: used when it is filled and its radio chosen.
struct AddressRow {
    const char16_t* kind;             // addressKind of its radio
    CString WizardState::*text;       // the box
    CString WizardState::*last;       // its address of the last usable answer
    NetworkMode mode;
};

constexpr AddressRow kAddresses[] = {
    {u"IPAddress", &WizardState::ipText, &WizardState::lastIp, NetworkMode::IPAddress},
    {u"MAC", &WizardState::macText, &WizardState::lastMac, NetworkMode::MACAddress},
    {u"HostName", &WizardState::hostText, &WizardState::lastHost, NetworkMode::HostName},
};

void CheckFeature(WizardState& state)
{
    int result = GetSupportedFeatures(state.modelName, state.ipText, 1);
    for (const FeatureRow& row : kFeatures) {
        if (row.result != result)
            continue;
        if (row.feature)
            state.feature = row.feature;
        if (row.message) {
            ShowMessageBox(row.kind, row.message, row.knownIssue);
            state.proceed = 0;
        }
        return;
    }
}

} // namespace

void CheckDevice(WizardState* statePointer)
{
    WizardState& state = *statePointer;
    state.failed = 0;
    state.proceed = 1;
    const AddressRow* used = nullptr;
    for (const AddressRow& row : kAddresses) {
        if ((state.*row.text).IsEmpty() || state.addressKind != row.kind)
            continue;
        used = &row;
        state.*row.text = TrimBlanks(state.*row.text);
        if (state.*row.text != state.*row.last) {
            state.lastIp.Empty();
            state.lastHost.Empty();
            state.lastMac.Empty();
            int exitCode = 0;
            LaunchNetworkProgram(state, exitCode, row.mode, state.*row.text);
        } else if (row.mode != NetworkMode::IPAddress) {
            state.ipText = state.deviceIp;
        }
        break;
    }

    if (state.accessState == u"FALSE") {
        if (used && used->mode != NetworkMode::IPAddress) {
            state.ipText = state.deviceIp;
            state.*used->last = state.*used->text;
        }
        state.lastIp = state.ipText;
        CheckFeature(state);
    } else {
        state.proceed = 0; // "TRUE": TarrowNetwork has told the user already
    }
    if (state.proceed == 1)
        WriteFolderNamesFile(state.ipText);
    if (state.windowHandle)
        state.windowHandle->PostMessage(WM_WORK_DONE, 0, 0);
}
