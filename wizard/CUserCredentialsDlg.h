// The page "UserCredentials". The account under which the device writes into the shared folder.
#pragma once

#include "wizard/CBaseDlg.h"

class CUserCredentialsDlg : public CBaseDlg {
public:
    explicit CUserCredentialsDlg(WizardState& state);

    static std::span<const Binding<CUserCredentialsDlg>> Bindings();
    static std::span<const ClickHandler<CUserCredentialsDlg>> Clicks();

protected:
    int OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }

private:
    void OnButtonNext();
    void OnButtonBack();
    void OnCheckboxStatus();

    CString m_nextDisabled;
};
