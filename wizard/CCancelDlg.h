// The page "Cancel". Where every Cancel button leads; its Next ends the wizard.
#pragma once

#include "wizard/CBaseDlg.h"

class CCancelDlg : public CBaseDlg {
public:
    explicit CCancelDlg(WizardState& state);

    static std::span<const Binding<CCancelDlg>> Bindings();
    static std::span<const ClickHandler<CCancelDlg>> Clicks();

protected:
    int OnInitDialog() override;
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }

private:
    void OnButtonNext();
};
