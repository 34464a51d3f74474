// The page "DeleteFinish". The removal succeeded; what it took off this computer is listed.
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
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }

private:
    void OnButtonNext();
    void OnButtonDoAgain();

    // What the removal took off this computer, by kind, one subject a line.
    CString m_shares, m_rights, m_links, m_kept, m_notRemoved;
};
