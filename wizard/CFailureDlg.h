// The page "Error". A set-up or removal failed; a link opens the log. Where Samba took no share
// because the running account may not share folders, the page says so and offers the fix.
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
    void WindowProc(unsigned message) override;

private:
    void OnLinkLog();
    void OnButtonNext();
    void OnButtonAllowSharing();
    void ShowSharingFix(bool shown);

    CString m_logPath; // where the log was to be written, shown when it could not be
    CString m_allowSharingDisabled; // "disabled" while the fix runs
};
