// The page "Welcome". The first page: the device address (IP address, host name or MAC address).
#pragma once

#include "wizard/CBaseDlg.h"

#include <memory>

class DeviceCheck;

class CWelcomeDlg : public CBaseDlg {
public:
    explicit CWelcomeDlg(WizardState& state);

    // Marks the IP address radio, as the page that follows a network search shows it.
    void CheckIpAddressRadio() { m_ipChecked = u"checked"; }

    static std::span<const Binding<CWelcomeDlg>> Bindings();
    static std::span<const ClickHandler<CWelcomeDlg>> Clicks();

protected:
    int OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }
    void WindowProc(unsigned message) override;
    // Esc and the close box: a running check ends first.
    void OnCancel() override;

private:
    // Cancel: a running check ends first; then the Cancel page.
    void OnButtonCancel();
    // Ends the running check, if any: its child by PID, no message from it.
    void StopCheck();
    void OnButtonNext();
    void OnRadioIPAddress();
    void OnRadioHostName();
    void OnRadioMAC();
    void OnLinkNetworkDiscovery();
    void OnLinkHelpIP();
    // The radios' checked texts from addressKind (an empty kind becomes "IPAddress").
    void SetRadioTexts();

    CString m_nextDisabled;
    CString m_radioDisabled; // shared by the three radios; never set
    CString m_ipChecked;
    CString m_hostChecked;
    CString m_macChecked;
    std::shared_ptr<DeviceCheck> m_check; // the running check; shared with its worker
};
