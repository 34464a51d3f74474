#include "wizard/CConfirmDeleteDlg.h"

#include "wizard/DeviceFolderList.h"
#include "wizard/PageChain.h"
#include "wizard/WizardMessages.h"

#include "common/log/LogEscape.h"
#include "common/log/ProgramLog.h"
#include "library/Quillet_Library.h"

CConfirmDeleteDlg::CConfirmDeleteDlg(WizardState& state) : CBaseDlg(state, u"ConfirmDelete") {}

std::span<const Binding<CConfirmDeleteDlg>> CConfirmDeleteDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CConfirmDeleteDlg> kBindings[] = {
        PageText<CConfirmDeleteDlg>(u"ModelIPAddress", InnerText, &CConfirmDeleteDlg::m_modelIp),
        PageText<CConfirmDeleteDlg>(u"FoldersChecked", Value, &CConfirmDeleteDlg::m_foldersChecked),
        PageText<CConfirmDeleteDlg>(u"ButtonNext", Disabled, &CConfirmDeleteDlg::m_nextDisabled),
        PageText<CConfirmDeleteDlg>(u"checkbox-StopSharing", Checked, &CConfirmDeleteDlg::m_stopSharing),
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
    SetElementAttribute(u"DeleteProgress", u"className", u"show");
    StartWorker([](WizardState* state) {
        state->failed = 0;
        static_cast<CConfirmDeleteDlg*>(state->activePage)->DeleteFolders();
        state->windowHandle->PostMessage(WM_WORK_DONE, 0, 0);
    });
    m_nextDisabled = u"disabled";
    UpdateData(false);
}

void CConfirmDeleteDlg::DeleteFolders()
{
    static constexpr const char16_t* kPrefix = u"CConfirmDeleteDlg::DeleteFolders(): ";
    bool tooMany = false;
    CStringList folders = ParseCheckedFolders(m_foldersChecked, kPrefix, tooMany);
    if (folders.IsEmpty())
        return;
    const CString& ipText = State().ipText;
    // The network paths of the checked records, as the device listed them before the deletion.
    CStringList paths;
    const CStringList* names = GetPrinterFolderList(BREDE_LIST_FOLDER_NAMES);
    const CStringList* listed = GetPrinterFolderList(BREDE_LIST_FOLDER_PATHS);
    if (!m_stopSharing.IsEmpty() && names && listed) {
        auto path = listed->begin();
        for (auto name = names->begin(); name != names->end() && path != listed->end(); ++name, ++path)
            if (folders.Contains(*name))
                paths.AddTail(*path);
    }
    ProgramLog().Line(CString(kPrefix) + u"Calling DeleteFolderList(" + EscapeForLog(ipText) + u",)");
    // A device that says it deleted fewer folders than asked has not done the removal (the library
    // logs both counts); otherwise the outcome is in the log and DeleteFinish follows.
    int deleted = -1;
    if (DeleteFolderList(ipText, folders, deleted) != BREDE_NO_ERROR && deleted >= 0 && deleted < folders.GetCount()) {
        State().failed = 1;
        return;
    }
    State().removedHere.clear();
    for (const CString& path : paths) {
        ProgramLog().Line(CString(kPrefix) + u"Calling RemoveComputerSide(" + EscapeForLog(path) + u")");
        std::vector<Brede_ComputerStep> steps;
        RemoveComputerSide(path, steps);
        State().removedHere.insert(State().removedHere.end(), steps.begin(), steps.end());
    }
}

void CConfirmDeleteDlg::WindowProc(unsigned message)
{
    if (message != WM_WORK_DONE)
        return;
    WizardState& state = State();
    StorePosition();
    if (state.accessState == u"DataFileError" || state.failed) {
        EndDialog(platform::kPageOk);
        RunPage(state, PageId::Error);
    } else if (state.networkExitCode == 0) {
        GoToPage(*this, PageId::DeleteFinish);
    }
}
