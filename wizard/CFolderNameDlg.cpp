#include "wizard/CFolderNameDlg.h"

#include "wizard/PageChain.h"

#include "frontend/FolderChecks.h"

#include "common/data/CNetworkConnect.h"
#include "common/localization/ShowMessageBox.h"
#include "common/log/LogEscape.h"
#include "common/log/ProgramLog.h"
#include "library/Quillet_Library.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "platform/ui/FolderPicker.h"

CFolderNameDlg::CFolderNameDlg(WizardState& state) : CBaseDlg(state, u"FolderName") {}

std::span<const Binding<CFolderNameDlg>> CFolderNameDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CFolderNameDlg> kBindings[] = {
        PageText<CFolderNameDlg>(u"ButtonNext", Disabled, &CFolderNameDlg::m_nextDisabled),
        StatePath<CFolderNameDlg>(u"textbox-Location", Value, &WizardState::location),
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
    CLogStream& log = ProgramLog();
    WizardState& state = State();
    CString model;
    CNetworkConnect::ReadXML(model, u"PrinterModelName");
    log.Line(u"CScanOptionsDlg: PrinterName from data file= " + EscapeForLog(model));
    state.modelName = model;

    CString homeDrive;
    if (ProposeLocation(state.location, homeDrive))
        log.Line(u"CScanOptionsDlg: Home Drive= " + homeDrive);
    CString computer;
    if (!platform::Use<platform::ISystemInfo>().GetComputerName(computer)) {
        log.Line(u"CScanOptionsDlg: ERROR: gethostname() failed");
        state.computerName.Empty();
    } else {
        state.computerName = computer;
        if (!GenerateUniqueFolderName(state.deviceIp, state.location, state.modelName, state.suggestedFolderName))
            log.Line(u"CScanOptionsDlg: ERROR: GenerateUniqueFolderName() returned " + state.suggestedFolderName);
    }
    m_modelIp = state.modelName + u" (" + state.deviceIp + u")";
    m_folderName = state.suggestedFolderName;
    UpdateData(false);
    return 1;
}

void CFolderNameDlg::OnButtonNext()
{
    UpdateData(true);
    CLogStream& log = ProgramLog();
    WizardState& state = State();
    log.Line(u"FolderNameDlg: Create button clicked");
    state.folderName = m_folderName;
    // Both checks run; the location's failure is the one reported when both fail.
    bool locationValid = ValidateLocation(state.location);
    bool nameValid = ValidateShareName(m_folderName);
    if (!locationValid) {
        log.Line(u"FolderNameDlg: Folder path " + state.location + u" is invalid");
        ShowMessageBox(ErrorBox, 130);
        SetFocusTo(u"textbox-Location");
    } else if (!nameValid) {
        log.Line(u"FolderNameDlg: Folder name " + state.folderName + u" is invalid");
        ShowMessageBox(ErrorBox, 132);
        SetFocusTo(u"textbox-FolderName");
    } else if (IsFolderNameUnique(state.deviceIp, state.location, state.folderName)) {
        CString checked;
        GetElementProperty(u"checkbox-Shortcut", platform::PageProperty::Checked, checked);
        state.createShortcut = checked.IsEmpty() ? 0 : -1;
        state.shortcutChecked = checked.IsEmpty() ? u"" : u"checked";
        GoToPage(*this, PageId::UserCredentials);
    } else {
        ShowMessageBox(ErrorBox, 142);
        SetFocusTo(u"textbox-FolderName");
    }
}

void CFolderNameDlg::OnButtonBack()
{
    GoToPage(*this, PageId::SelectOp);
}

void CFolderNameDlg::OnButtonBrowse()
{
    UpdateData(true);
    CString folder;
    if (!platform::Use<platform::IFolderPicker>().BrowseForFolder(folder))
        return;
    State().location = folder;
    m_nextDisabled = folder.IsEmpty() ? u"disabled" : u"";
    UpdateData(false);
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
