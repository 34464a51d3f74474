#include "wizard/CWelcomeDlg.h"

#include "wizard/PageChain.h"

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
    SetRadioTexts();
    // The device check (a worker reporting WM_WORK_DONE) follows from here.
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
    // Ends this page, runs TarrowNetwork in list mode and shows a new Welcome page: comes with
    // the network program's hand-over.
}

void CWelcomeDlg::OnLinkHelpIP()
{
    ShowMessageBox(InformationBox, 157);
}

void CWelcomeDlg::WindowProc(unsigned /*message*/)
{
    // WM_WORK_DONE of the device check: comes with the check.
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
