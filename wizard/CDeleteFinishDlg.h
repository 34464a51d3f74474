// The page "DeleteFinish". The removal succeeded.
#pragma once

#include "wizard/CBaseDlg.h"

class CDeleteFinishDlg : public CBaseDlg {
public:
    explicit CDeleteFinishDlg(WizardState& state);

    static std::span<const Binding<CDeleteFinishDlg>> Bindings();
    static std::span<const ClickHandler<CDeleteFinishDlg>> Clicks();

protected:
    int OnInitDialog() override;
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }

private:
    void OnButtonNext();
    void OnButtonDoAgain();
};
