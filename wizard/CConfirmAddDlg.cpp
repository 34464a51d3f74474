#include "wizard/CConfirmAddDlg.h"

#include "wizard/PageChain.h"
#include "wizard/SetUpSummary.h"

CConfirmAddDlg::CConfirmAddDlg(WizardState& state) : CBaseDlg(state, u"ConfirmAdd") {}

std::span<const Binding<CConfirmAddDlg>> CConfirmAddDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CConfirmAddDlg> kBindings[] = {
        PageText<CConfirmAddDlg>(u"QuickAccessName", InnerText, &CConfirmAddDlg::m_quickAccessName),
        PageText<CConfirmAddDlg>(u"ShortcutText", InnerText, &CConfirmAddDlg::m_shortcutText),
        PageText<CConfirmAddDlg>(u"Path", InnerText, &CConfirmAddDlg::m_path),
        PageText<CConfirmAddDlg>(u"ShortcutPath", InnerText, &CConfirmAddDlg::m_shortcutPath),
        PageText<CConfirmAddDlg>(u"FeatureText", InnerText, &CConfirmAddDlg::m_featureText),
    };
    return kBindings;
}

std::span<const ClickHandler<CConfirmAddDlg>> CConfirmAddDlg::Clicks()
{
    static constexpr ClickHandler<CConfirmAddDlg> kClicks[] = {
        {u"ButtonBack", &CConfirmAddDlg::OnButtonBack},
        {u"ButtonCreate", &CConfirmAddDlg::OnButtonCreate},
        {u"ButtonCancel", &CConfirmAddDlg::OnButtonCancel},
    };
    return kClicks;
}

int CConfirmAddDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    LogEntering();
    FillSummary(State(), kConfirmStrings, {m_quickAccessName, m_path, m_shortcutText, m_shortcutPath, m_featureText});
    UpdateData(false);
    return 1;
}

void CConfirmAddDlg::OnButtonBack()
{
    GoToPage(*this, PageId::ScanOptions);
}

void CConfirmAddDlg::OnButtonCreate()
{
    GoToPage(*this, PageId::Progress);
}
