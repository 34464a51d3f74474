// The page "ConfirmAdd". Summary of what the set-up will do, before it is done.
#pragma once

#include "wizard/CBaseDlg.h"

class CConfirmAddDlg : public CBaseDlg {
public:
    explicit CConfirmAddDlg(WizardState& state);

    static std::span<const Binding<CConfirmAddDlg>> Bindings();
    static std::span<const ClickHandler<CConfirmAddDlg>> Clicks();

protected:
    int OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }

private:
    void OnButtonBack();
    void OnButtonCreate();

    CString m_quickAccessName;
    CString m_shortcutText;
    CString m_path;
    CString m_shortcutPath;
    CString m_featureText;
};
