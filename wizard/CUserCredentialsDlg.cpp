#include "wizard/CUserCredentialsDlg.h"

#include "wizard/LocalAccountCheck.h"
#include "wizard/PageChain.h"
#include "wizard/WizardMessages.h"

#include "frontend/FixOffers.h"
#include "frontend/LogonCheck.h"
#include "frontend/ProcessAccount.h"

#include "common/localization/ShowMessageBox.h"
#include "common/log/ProgramLog.h"
#include "platform/core/LastError.h"
#include "platform/core/Services.h"
#include "platform/core/SystemVersion.h"
#include "platform/ui/MessageBoxes.h"

#include <algorithm>

namespace {

constexpr const char16_t* kChecked = u"checked";
constexpr const char16_t* kPasswordBox = u"textbox-Password";

// The offers of the fixes, and what a fix that failed said.
constexpr unsigned kOfferSambaPassword = 165;
constexpr unsigned kOfferStartSamba = 166;
constexpr unsigned kFixFailed = 167;

} // namespace

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
    // Each visit starts checked with the running account; the password stays as it was left.
    State().credentialsChecked.Empty();
    GetCurrentUserAndDomain();
    UpdateData(false);
    return 1;
}

void CUserCredentialsDlg::GetCurrentUserAndDomain()
{
    WizardState& state = State();
    if (state.credentialsChecked.IsEmpty()) {
        CString user, domain;
        if (!GetUserAndDomainFromToken(user, domain)) {
            ProgramLog().Line(u"GetCurrentUserAndDomain() has failed.Unable to retrieve username and domain.");
            user.Empty();
            domain.Empty();
        }
        state.domain = domain;
        state.userName = user;
        state.credentialsChecked = kChecked;
    } else if (state.credentialsChecked == kChecked) {
        if (ShowMessageBox(YesNoWarningDefaultNo, 158) == platform::IDYES)
            state.credentialsChecked.Empty();
    }
    UpdateData(false);
}

void CUserCredentialsDlg::OnButtonNext()
{
    m_fixesTried.clear();
    GoOn();
}

void CUserCredentialsDlg::GoOn()
{
    UpdateData(true);
    WizardState& state = State();
    CString checked;
    GetElementProperty(u"checkbox-Status", platform::PageProperty::Checked, checked);
    state.saveCredentials = checked.IsEmpty() ? 0 : -1;
    state.credentialsChecked = checked.IsEmpty() ? u"" : kChecked;

    platform::OsVersion version;
    if (!platform::Use<platform::ISystemVersion>().GetVersion(version))
        return;
    state.userName.TrimLeft().TrimRight();
    state.domain.TrimLeft().TrimRight();

    if (state.credentialsChecked == kChecked) {
        if (state.password.IsEmpty()) {
            if (ShowMessageBox(YesNoWarningDefaultNo, 140) != platform::IDYES) {
                SetFocusTo(kPasswordBox);
                return;
            }
        } else if (!VerifyCredentials(version)) {
            return;
        }
    } else {
        state.domain.Empty();
        state.userName.Empty();
        state.password.Empty();
    }
    GoToPage(*this, PageId::ScanOptions);
}

bool CUserCredentialsDlg::VerifyCredentials(const platform::OsVersion& version)
{
    const WizardState& state = State();
    const LogonMethod method = LogonMethodFor(version);
    if (!CheckLogon(method, state.userName, state.domain, state.password)) {
        OfferFixOrRefuse(platform::GetLastError());
        return false;
    }
    if (method != LogonMethod::Network)
        return true; // the handshake's system has no shadowing local accounts to warn of
    m_nextDisabled = u"disabled";
    UpdateData(false);
    if (!CheckLocalAccount(state.domain, state.userName)) {
        m_nextDisabled.Empty();
        UpdateData(false);
        return false;
    }
    return true;
}

void CUserCredentialsDlg::RefuseCredentials()
{
    ShowMessageBox(ErrorBox, 134);
    SetFocusTo(kPasswordBox);
}

void CUserCredentialsDlg::OfferFixOrRefuse(int logonError)
{
    const WizardState& state = State();
    std::optional<fixes::FixRequest> fix = LogonFix(logonError, state.userName);
    if (!fix || std::find(m_fixesTried.begin(), m_fixesTried.end(), fix->verb) != m_fixesTried.end()) {
        RefuseCredentials();
        return;
    }
    const unsigned offer = fix->verb == fixes::Verb::SetSambaPassword ? kOfferSambaPassword : kOfferStartSamba;
    if (ShowMessageBox(YesNoWarningDefaultNo, offer, CString::FromUtf8(fix->account)) != platform::IDYES) {
        SetFocusTo(kPasswordBox);
        return;
    }
    m_fixesTried.push_back(fix->verb);
    m_nextDisabled = u"disabled";
    UpdateData(false);
    StartFix(*fix, state.password);
}

void CUserCredentialsDlg::WindowProc(unsigned message)
{
    if (message != WM_FIX_DONE)
        return;
    m_nextDisabled.Empty();
    UpdateData(false);
    if (!FixDone().ok) {
        ShowMessageBox(ErrorBox, kFixFailed, CString::FromUtf8(FixDone().message));
        SetFocusTo(kPasswordBox);
        return;
    }
    GoOn(); // the logon again, with what the page holds now
}

void CUserCredentialsDlg::OnButtonBack()
{
    GoToPage(*this, PageId::FolderName);
}

void CUserCredentialsDlg::OnCheckboxStatus()
{
    GetCurrentUserAndDomain();
}
