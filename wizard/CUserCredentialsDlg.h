// The page "UserCredentials". The account under which the device writes into the shared folder:
// domain, user name and password, and whether the device stores them (checkbox-Status). Stored
// credentials are verified on this computer before the wizard goes on; a logon that Samba refuses
// for a cause the privileged helper mends (no Samba password, no server) offers that fix, and
// after it the logon is tried again.
#pragma once

#include "wizard/CBaseDlg.h"

namespace platform {
struct OsVersion;
}

class CUserCredentialsDlg : public CBaseDlg {
public:
    explicit CUserCredentialsDlg(WizardState& state);

    static std::span<const Binding<CUserCredentialsDlg>> Bindings();
    static std::span<const ClickHandler<CUserCredentialsDlg>> Clicks();

    // With the box unchecked (credentialsChecked empty): fills domain and user name with the
    // running account and checks the box. With it checked: asks (message 158) before unchecking
    // it. Then writes the state into the page, replacing what was typed.
    void GetCurrentUserAndDomain();

protected:
    int OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }
    void WindowProc(unsigned message) override;

private:
    void OnButtonNext();
    // Next's work: reads the page, verifies, and goes on to ScanOptions or stays.
    void GoOn();
    void OnButtonBack();
    void OnCheckboxStatus();

    // Verifies the state's credentials by the method of this system version; false (with the
    // message shown) to stay on the page.
    bool VerifyCredentials(const platform::OsVersion& version);
    // Shows message 134 and puts the focus on the password.
    void RefuseCredentials();
    // For a refusal that a fix mends (and that no fix of this press of Next tried yet): says what
    // is wrong and offers the fix, which runs on the worker if accepted. Else RefuseCredentials.
    void OfferFixOrRefuse(int logonError);

    CString m_nextDisabled;
    std::vector<fixes::Verb> m_fixesTried; // since the last press of Next
};
