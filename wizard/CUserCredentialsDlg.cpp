#include "wizard/CUserCredentialsDlg.h"

#include "wizard/PageChain.h"

CUserCredentialsDlg::CUserCredentialsDlg(WizardState& state) : CBaseDlg(state, u"UserCredentials") {}

std::span<const Binding<CUserCredentialsDlg>> CUserCredentialsDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CUserCredentialsDlg> kBindings[] = {
        StateText<CUserCredentialsDlg>(u"textbox-Domain", Value, &WizardState::domain),
        StateText<CUserCredentialsDlg>(u"textbox-UserName", Value, &WizardState::userName),
        StateText<CUserCredentialsDlg>(u"textbox-Password", Value, &WizardState::password),
        StateText<CUserCredentialsDlg>(u"checkbox-Status", Checked, &WizardState::credentialsChecked),
        PageText<CUserCredentialsDlg>(u"ButtonNext", Disabled, &CUserCredentialsDlg::m_nextDisabled),
    };
    return kBindings;
}

std::span<const ClickHandler<CUserCredentialsDlg>> CUserCredentialsDlg::Clicks()
{
    static constexpr ClickHandler<CUserCredentialsDlg> kClicks[] = {
        {u"ButtonNext", &CUserCredentialsDlg::OnButtonNext},
        {u"ButtonBack", &CUserCredentialsDlg::OnButtonBack},
        {u"ButtonCancel", &CUserCredentialsDlg::OnButtonCancel},
        {u"checkbox-Status", &CUserCredentialsDlg::OnCheckboxStatus},
    };
    return kClicks;
}

int CUserCredentialsDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    LogEntering();
    UpdateData(false);
    return 1;
}

void CUserCredentialsDlg::OnButtonNext()
{
    UpdateData(true);
    // On to the scan options; the account's logon check belongs here, before going on.
    GoToPage(*this, PageId::ScanOptions);
}

void CUserCredentialsDlg::OnButtonBack()
{
    GoToPage(*this, PageId::FolderName);
}

void CUserCredentialsDlg::OnCheckboxStatus()
{
    // Filling in the running account, or asking before unchecking, comes with the credentials logic.
}
