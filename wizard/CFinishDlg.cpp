#include "wizard/CFinishDlg.h"

#include "wizard/PageChain.h"
#include "wizard/SetUpSummary.h"

CFinishDlg::CFinishDlg(WizardState& state) : CBaseDlg(state, u"Finish") {}

std::span<const Binding<CFinishDlg>> CFinishDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CFinishDlg> kBindings[] = {
        PageText<CFinishDlg>(u"QuickAccessName", InnerText, &CFinishDlg::m_quickAccessName),
        PageText<CFinishDlg>(u"ShortcutText", InnerText, &CFinishDlg::m_shortcutText),
        PageText<CFinishDlg>(u"Path", InnerText, &CFinishDlg::m_path),
        PageText<CFinishDlg>(u"ShortcutPath", InnerText, &CFinishDlg::m_shortcutPath),
        PageText<CFinishDlg>(u"FeatureText", InnerText, &CFinishDlg::m_featureText),
    };
    return kBindings;
}

std::span<const ClickHandler<CFinishDlg>> CFinishDlg::Clicks()
{
    static constexpr ClickHandler<CFinishDlg> kClicks[] = {
        {u"ButtonNext", &CFinishDlg::OnButtonNext},
        {u"ButtonDoAgain", &CFinishDlg::OnButtonDoAgain},
    };
    return kClicks;
}

int CFinishDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    LogEntering();
    FillSummary(State(), kFinishStrings, {m_quickAccessName, m_path, m_shortcutText, m_shortcutPath, m_featureText});
    UpdateData(false);
    return 1;
}

void CFinishDlg::OnButtonNext()
{
    EndDialog(platform::kPageOk); // the enclosing pages have ended: the wizard ends
}

void CFinishDlg::OnButtonDoAgain()
{
    GoToPage(*this, PageId::Welcome);
}
