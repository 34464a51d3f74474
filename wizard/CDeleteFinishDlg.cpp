#include "wizard/CDeleteFinishDlg.h"

#include "wizard/PageChain.h"

CDeleteFinishDlg::CDeleteFinishDlg(WizardState& state) : CBaseDlg(state, u"DeleteFinish") {}

std::span<const Binding<CDeleteFinishDlg>> CDeleteFinishDlg::Bindings()
{
    return {};
}

std::span<const ClickHandler<CDeleteFinishDlg>> CDeleteFinishDlg::Clicks()
{
    static constexpr ClickHandler<CDeleteFinishDlg> kClicks[] = {
        {u"ButtonNext", &CDeleteFinishDlg::OnButtonNext},
        {u"ButtonDoAgain", &CDeleteFinishDlg::OnButtonDoAgain},
    };
    return kClicks;
}

int CDeleteFinishDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    LogEntering();
    return 1;
}

void CDeleteFinishDlg::OnButtonNext()
{
    EndDialog(platform::kPageOk); // the enclosing pages have ended: the wizard ends
}

void CDeleteFinishDlg::OnButtonDoAgain()
{
    GoToPage(*this, PageId::Welcome);
}
