// The page "Error". A set-up or removal failed; a link opens the log.
#pragma once

#include "wizard/CBaseDlg.h"

class CFailureDlg : public CBaseDlg {
public:
    explicit CFailureDlg(WizardState& state);

    static std::span<const Binding<CFailureDlg>> Bindings();
    static std::span<const ClickHandler<CFailureDlg>> Clicks();

protected:
    int OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }

private:
    void OnLinkLog();
    void OnButtonNext();

    CString m_logPath; // where the log was to be written, shown when it could not be
};
