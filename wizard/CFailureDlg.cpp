#include "wizard/CFailureDlg.h"

#include "wizard/PageChain.h"

CFailureDlg::CFailureDlg(WizardState& state) : CBaseDlg(state, u"Error") {}

std::span<const Binding<CFailureDlg>> CFailureDlg::Bindings()
{
    return {};
}

std::span<const ClickHandler<CFailureDlg>> CFailureDlg::Clicks()
{
    static constexpr ClickHandler<CFailureDlg> kClicks[] = {
        {u"LinkLog", &CFailureDlg::OnLinkLog},
        {u"ButtonNext", &CFailureDlg::OnButtonNext},
    };
    return kClicks;
}

int CFailureDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    return 1;
}

void CFailureDlg::OnLinkLog()
{
    // Opening the log in a text editor comes with the set-up pages; the page stays.
}

void CFailureDlg::OnButtonNext()
{
    EndDialog(platform::kPageOk); // the enclosing pages have ended: the wizard ends
}
