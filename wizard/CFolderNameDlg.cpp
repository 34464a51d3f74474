#include "wizard/CFolderNameDlg.h"

#include "wizard/PageChain.h"

CFolderNameDlg::CFolderNameDlg(WizardState& state) : CBaseDlg(state, u"FolderName") {}

std::span<const Binding<CFolderNameDlg>> CFolderNameDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CFolderNameDlg> kBindings[] = {
        PageText<CFolderNameDlg>(u"ButtonNext", Disabled, &CFolderNameDlg::m_nextDisabled),
        StateText<CFolderNameDlg>(u"textbox-Location", Value, &WizardState::location),
        PageText<CFolderNameDlg>(u"ModelIPAddress", InnerText, &CFolderNameDlg::m_modelIp),
        PageText<CFolderNameDlg>(u"textbox-FolderName", Value, &CFolderNameDlg::m_folderName),
        StateText<CFolderNameDlg>(u"checkbox-Shortcut", Checked, &WizardState::shortcutChecked),
    };
    return kBindings;
}

std::span<const ClickHandler<CFolderNameDlg>> CFolderNameDlg::Clicks()
{
    static constexpr ClickHandler<CFolderNameDlg> kClicks[] = {
        {u"ButtonNext", &CFolderNameDlg::OnButtonNext},
        {u"ButtonBack", &CFolderNameDlg::OnButtonBack},
        {u"ButtonCancel", &CFolderNameDlg::OnButtonCancel},
        {u"ButtonBrowse", &CFolderNameDlg::OnButtonBrowse},
        {u"checkbox-Shortcut", &CFolderNameDlg::OnCheckboxShortcut},
        {u"Link-Edit", &CFolderNameDlg::OnLinkEdit},
    };
    return kClicks;
}

int CFolderNameDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    LogEntering();
    UpdateData(false);
    return 1;
}

void CFolderNameDlg::OnButtonNext()
{
    UpdateData(true);
    // The checks of location and name come with the computer-side set-up.
}

void CFolderNameDlg::OnButtonBack()
{
    GoToPage(*this, PageId::SelectOp);
}

void CFolderNameDlg::OnButtonBrowse()
{
    // The folder picker comes with the computer-side set-up.
}

void CFolderNameDlg::OnCheckboxShortcut()
{
    // The page is not read: the box's state is read when Next is pressed.
    CString& checked = State().shortcutChecked;
    checked = checked == u"checked" ? u"" : u"checked";
}

void CFolderNameDlg::OnLinkEdit()
{
    // Nothing to do: the link only moves the focus into the page.
}
