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
    unsigned invalidMessage;          // for a text that cannot be such an address
};

constexpr AddressRow kAddresses[] = {
    {u"IPAddress", &WizardState::ipText, &WizardState::lastIp, NetworkMode::IPAddress, 161},
    {u"MAC", &WizardState::macText, &WizardState::lastMac, NetworkMode::MACAddress, 163},
    {u"HostName", &WizardState::hostText, &WizardState::lastHost, NetworkMode::HostName, 162},
};

// The row of the box that the chosen radio names, when that box is filled.
const AddressRow* UsedAddress(const WizardState& state)
{
    for (const AddressRow& row : kAddresses)
        if (!(state.*row.text).IsEmpty() && state.addressKind == row.kind)
            return &row;
    return nullptr;
}

} // namespace

unsigned InvalidAddressMessage(const WizardState& state)
{
    const AddressRow* used = UsedAddress(state);
    return used && !CanBeDeviceAddress(TrimBlanks(state.*used->text)) ? used->invalidMessage : 0;
}

DeviceCheck::DeviceCheck(const WizardState& state, std::shared_ptr<IMessageWindow> page) : m_state(state)
{
    m_state.windowHandle = std::move(page);
}

void DeviceCheck::CheckFeature()
{
    int result = GetSupportedFeatures(m_state.modelName, m_state.ipText, 1);
    for (const FeatureRow& row : kFeatures) {
        if (row.result != result)
            continue;
        if (row.feature)
            m_state.feature = row.feature;
        if (row.message) {
            m_state.proceed = 0;
            if (!m_stop.Stopped())
                ShowMessageBox(row.kind, row.message, row.knownIssue);
        }
        return;
    }
}

void DeviceCheck::ApplyTo(WizardState& state) const
{
    for (CString WizardState::*text : {&WizardState::ipText, &WizardState::hostText, &WizardState::macText,
                                       &WizardState::lastIp, &WizardState::lastHost, &WizardState::lastMac,
                                       &WizardState::deviceIp, &WizardState::modelName, &WizardState::accessState,
                                       &WizardState::failureDetail})
        state.*text = m_state.*text;
    for (int WizardState::*number : {&WizardState::feature, &WizardState::proceed, &WizardState::failed,
                                     &WizardState::networkExitCode})
        state.*number = m_state.*number;
}

void DeviceCheck::Run()
{
    WizardState& state = m_state;
    state.failed = 0;
    state.proceed = 1;
    const AddressRow* used = UsedAddress(state);
    if (used) {
        const AddressRow& row = *used;
        state.*row.text = TrimBlanks(state.*row.text);
        if (state.*row.text != state.*row.last) {
            state.lastIp.Empty();
            state.lastHost.Empty();
            state.lastMac.Empty();
            int exitCode = 0;
            LaunchNetworkProgram(state, exitCode, row.mode, state.*row.text, &m_stop);
        } else if (row.mode != NetworkMode::IPAddress) {
            state.ipText = state.deviceIp;
        }
    }

    if (m_stop.Stopped())
        return; // the page has gone on without this check
    if (state.accessState == u"FALSE") {
        if (used && used->mode != NetworkMode::IPAddress) {
            state.ipText = state.deviceIp;
            state.*used->last = state.*used->text;
        }
        state.lastIp = state.ipText;
        CheckFeature();
    } else {
        state.proceed = 0; // "TRUE": TarrowNetwork has told the user already
    }
    if (state.proceed == 1 && !m_stop.Stopped())
        WriteFolderNamesFile(state.ipText);
    if (state.windowHandle && !m_stop.Stopped())
        state.windowHandle->PostMessage(WM_WORK_DONE, 0, 0);
}
