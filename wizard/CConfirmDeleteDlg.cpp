#include "wizard/CConfirmDeleteDlg.h"

#include "wizard/PageChain.h"

CConfirmDeleteDlg::CConfirmDeleteDlg(WizardState& state) : CBaseDlg(state, u"ConfirmDelete") {}

std::span<const Binding<CConfirmDeleteDlg>> CConfirmDeleteDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CConfirmDeleteDlg> kBindings[] = {
        PageText<CConfirmDeleteDlg>(u"ModelIPAddress", InnerText, &CConfirmDeleteDlg::m_modelIp),
        PageText<CConfirmDeleteDlg>(u"FoldersChecked", Value, &CConfirmDeleteDlg::m_foldersChecked),
        PageText<CConfirmDeleteDlg>(u"ButtonNext", Disabled, &CConfirmDeleteDlg::m_nextDisabled),
    };
    return kBindings;
}

std::span<const ClickHandler<CConfirmDeleteDlg>> CConfirmDeleteDlg::Clicks()
{
    static constexpr ClickHandler<CConfirmDeleteDlg> kClicks[] = {
        {u"ButtonBack", &CConfirmDeleteDlg::OnButtonBack},
        {u"ButtonNext", &CConfirmDeleteDlg::OnButtonNext},
        {u"ButtonCancel", &CConfirmDeleteDlg::OnButtonCancel},
    };
    return kClicks;
}

int CConfirmDeleteDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    LogEntering();
    m_modelIp = State().modelName + u" (" + State().deviceIp + u")";
    UpdateData(false);
    return 1;
}

void CConfirmDeleteDlg::OnButtonBack()
{
    GoToPage(*this, PageId::SelectOp);
}

void CConfirmDeleteDlg::OnButtonNext()
{
    UpdateData(true);
    // The deletion worker (reporting WM_WORK_DONE) comes with the removal logic.
}

void CConfirmDeleteDlg::WindowProc(unsigned /*message*/)
{
    // WM_WORK_DONE of the deletion: comes with the removal logic.
}
