// The page "Finish". The set-up succeeded: what was done.
#pragma once

#include "wizard/CBaseDlg.h"

class CFinishDlg : public CBaseDlg {
public:
    explicit CFinishDlg(WizardState& state);

    static std::span<const Binding<CFinishDlg>> Bindings();
    static std::span<const ClickHandler<CFinishDlg>> Clicks();

protected:
    int OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }

private:
    void OnButtonNext();
    void OnButtonDoAgain();

    CString m_quickAccessName;
    CString m_shortcutText;
    CString m_path;
    CString m_shortcutPath;
    CString m_featureText;
};
