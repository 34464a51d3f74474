#include "wizard/CSelectOpDlg.h"

#include "wizard/PageChain.h"

CSelectOpDlg::CSelectOpDlg(WizardState& state) : CBaseDlg(state, u"SelectOp") {}

std::span<const Binding<CSelectOpDlg>> CSelectOpDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CSelectOpDlg> kBindings[] = {
        PageText<CSelectOpDlg>(u"ModelIPAddress", InnerText, &CSelectOpDlg::m_modelIp),
        PageText<CSelectOpDlg>(u"FoldersChecked", Value, &CSelectOpDlg::m_foldersChecked),
        PageText<CSelectOpDlg>(u"radio-AddFolder", Checked, &CSelectOpDlg::m_addChecked),
        PageText<CSelectOpDlg>(u"radio-RemoveFolder", Checked, &CSelectOpDlg::m_removeChecked),
        PageText<CSelectOpDlg>(u"ButtonNext", Disabled, &CSelectOpDlg::m_nextDisabled),
    };
    return kBindings;
}

std::span<const ClickHandler<CSelectOpDlg>> CSelectOpDlg::Clicks()
{
    static constexpr ClickHandler<CSelectOpDlg> kClicks[] = {
        {u"ButtonBack", &CSelectOpDlg::OnButtonBack},
        {u"ButtonNext", &CSelectOpDlg::OnButtonNext},
        {u"ButtonCancel", &CSelectOpDlg::OnButtonCancel},
    };
    return kClicks;
}

int CSelectOpDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    LogEntering();
    m_modelIp = State().modelName + u" (" + State().deviceIp + u")";
    UpdateData(false);
    return 1;
}

void CSelectOpDlg::OnButtonBack()
{
    GoToPage(*this, PageId::Welcome);
}

void CSelectOpDlg::OnButtonNext()
{
    UpdateData(true);
    // The choice (FolderName to add, ConfirmDelete to remove) comes with the folder list file.
}
