#include "wizard/CCancelDlg.h"

#include "wizard/PageChain.h"

CCancelDlg::CCancelDlg(WizardState& state) : CBaseDlg(state, u"Cancel") {}

std::span<const Binding<CCancelDlg>> CCancelDlg::Bindings()
{
    return {};
}

std::span<const ClickHandler<CCancelDlg>> CCancelDlg::Clicks()
{
    static constexpr ClickHandler<CCancelDlg> kClicks[] = {
        {u"ButtonNext", &CCancelDlg::OnButtonNext},
    };
    return kClicks;
}

int CCancelDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    return 1;
}

void CCancelDlg::OnButtonNext()
{
    EndDialog(platform::kPageOk); // the enclosing pages have ended: the wizard ends
}
