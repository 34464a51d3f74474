#include "wizard/CWelcomeDlg.h"

#include "wizard/DeviceCheck.h"
#include "wizard/NetworkLaunch.h"
#include "wizard/PageChain.h"
#include "wizard/WizardMessages.h"

#include "common/localization/ShowMessageBox.h"

CWelcomeDlg::CWelcomeDlg(WizardState& state) : CBaseDlg(state, u"Welcome")
{
    SetRadioTexts();
}

std::span<const Binding<CWelcomeDlg>> CWelcomeDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CWelcomeDlg> kBindings[] = {
        StateText<CWelcomeDlg>(u"textbox-IPAddress", Value, &WizardState::ipText),
        StateText<CWelcomeDlg>(u"textbox-HostName", Value, &WizardState::hostText),
        StateText<CWelcomeDlg>(u"textbox-MAC", Value, &WizardState::macText),
        PageText<CWelcomeDlg>(u"radio-IPAddress", Disabled, &CWelcomeDlg::m_radioDisabled),
        PageText<CWelcomeDlg>(u"radio-HostName", Disabled, &CWelcomeDlg::m_radioDisabled),
        PageText<CWelcomeDlg>(u"radio-MAC", Disabled, &CWelcomeDlg::m_radioDisabled),
        PageText<CWelcomeDlg>(u"radio-IPAddress", Checked, &CWelcomeDlg::m_ipChecked),
        PageText<CWelcomeDlg>(u"radio-HostName", Checked, &CWelcomeDlg::m_hostChecked),
        PageText<CWelcomeDlg>(u"radio-MAC", Checked, &CWelcomeDlg::m_macChecked),
        PageText<CWelcomeDlg>(u"ButtonNext", Disabled, &CWelcomeDlg::m_nextDisabled),
    };
    return kBindings;
}

std::span<const ClickHandler<CWelcomeDlg>> CWelcomeDlg::Clicks()
{
    static constexpr ClickHandler<CWelcomeDlg> kClicks[] = {
        {u"ButtonCancel", &CWelcomeDlg::OnButtonCancel},
        {u"ButtonNext", &CWelcomeDlg::OnButtonNext},
        {u"radio-IPAddress", &CWelcomeDlg::OnRadioIPAddress},
        {u"radio-HostName", &CWelcomeDlg::OnRadioHostName},
        {u"radio-MAC", &CWelcomeDlg::OnRadioMAC},
        {u"Link-NetworkDiscovery", &CWelcomeDlg::OnLinkNetworkDiscovery},
        {u"Link-HelpIP", &CWelcomeDlg::OnLinkHelpIP},
    };
    return kClicks;
}

int CWelcomeDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    LogEntering();
    UpdateData(false);
    return 1;
}

void CWelcomeDlg::OnButtonNext()
{
    UpdateData(true);
    const WizardState& state = State();
    if (state.ipText.IsEmpty() && state.macText.IsEmpty() && state.hostText.IsEmpty())
        return;
    if (unsigned message = InvalidAddressMessage(state)) {
        ShowMessageBox(ErrorBox, message); // nothing runs with such a text
        return;
    }
    SetElementAttribute(u"Overlay", u"className", u"OverlayShow");
    auto check = std::make_shared<DeviceCheck>(state, MessageTarget());
    m_check = check;
    StartWorker([check] { check->Run(); });
    SetRadioTexts();
    m_nextDisabled = u"disabled";
    UpdateData(false);
}

void CWelcomeDlg::StopCheck()
{
    if (m_check)
        m_check->Stop();
    m_check.reset();
}

void CWelcomeDlg::OnButtonCancel()
{
    StopCheck();
    CBaseDlg::OnButtonCancel();
}

void CWelcomeDlg::OnCancel()
{
    StopCheck();
    CBaseDlg::OnCancel();
}

void CWelcomeDlg::OnRadioIPAddress()
{
    State().addressKind = u"IPAddress";
}

void CWelcomeDlg::OnRadioHostName()
{
    State().addressKind = u"HostName";
}

void CWelcomeDlg::OnRadioMAC()
{
    State().addressKind = u"MAC";
}

void CWelcomeDlg::OnLinkNetworkDiscovery()
{
    StorePosition();
    EndDialog(platform::kPageOk);
    int exitCode = 0;
    LaunchNetworkProgram(State(), exitCode, NetworkMode::List, u"");
    CWelcomeDlg next(State());
    next.CheckIpAddressRadio();
    next.DoModal();
}

void CWelcomeDlg::OnLinkHelpIP()
{
    ShowMessageBox(InformationBox, 157);
}

void CWelcomeDlg::WindowProc(unsigned message)
{
    if (message != WM_WORK_DONE || !m_check)
        return; // not from the running check
    WizardState& state = State();
    m_check->ApplyTo(state);
    m_check.reset();
    if (state.accessState == u"DataFileError") {
        StorePosition();
        EndDialog(platform::kPageOk);
        RunPage(state, PageId::Error);
    } else if (state.proceed == 1) {
        GoToPage(*this, PageId::SelectOp);
    } else {
        m_nextDisabled.Empty();
        SetElementAttribute(u"Overlay", u"className", u"OverlayHide");
        UpdateData(false);
    }
}

void CWelcomeDlg::SetRadioTexts()
{
    struct Row {
        const char16_t* kind;
        CString CWelcomeDlg::*checked;
    };
    static constexpr Row kRows[] = {
        {u"IPAddress", &CWelcomeDlg::m_ipChecked},
        {u"HostName", &CWelcomeDlg::m_hostChecked},
        {u"MAC", &CWelcomeDlg::m_macChecked},
    };
    CString& kind = State().addressKind;
    if (kind.IsEmpty())
        kind = u"IPAddress";
    bool known = false;
    for (const Row& row : kRows)
        known = known || kind == row.kind;
    if (!known)
        return; // an unknown kind leaves the radios as they are
    for (const Row& row : kRows)
        this->*row.checked = kind == row.kind ? u"checked" : u"";
}
