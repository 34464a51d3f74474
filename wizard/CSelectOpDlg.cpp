#include "wizard/CSelectOpDlg.h"

#include "wizard/DeviceFolderList.h"
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
    State().failed = 0;
    CString add;
    CString remove;
    GetElementProperty(u"radio-AddFolder", platform::PageProperty::Checked, add);
    GetElementProperty(u"radio-RemoveFolder", platform::PageProperty::Checked, remove);
    if (!remove.IsEmpty())
        AppendJavaScript();
    StorePosition();
    if (State().networkExitCode != 0)
        return;
    // Neither radio checked counts as removal.
    GoToPage(*this, add.IsEmpty() ? PageId::ConfirmDelete : PageId::FolderName);
}

int CSelectOpDlg::AppendJavaScript()
{
    return AppendCheckedFolders(m_foldersChecked);
}
