#include "wizard/CFailureDlg.h"

#include "wizard/PageChain.h"
#include "wizard/WizardMessages.h"

#include "common/localization/ShowMessageBox.h"
#include "common/log/ProgramLog.h"
#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/shell/Shell.h"

namespace {

// What a failed fix said, and that the account may share from its next login.
constexpr unsigned kFixFailed = 167;
constexpr unsigned kSharingFromNextLogin = 168;

} // namespace

CFailureDlg::CFailureDlg(WizardState& state) : CBaseDlg(state, u"Error") {}

std::span<const Binding<CFailureDlg>> CFailureDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CFailureDlg> kBindings[] = {
        StateText<CFailureDlg>(u"FailureDetail", InnerText, &WizardState::failureDetail),
        PageText<CFailureDlg>(u"LogPath", InnerText, &CFailureDlg::m_logPath),
        PageText<CFailureDlg>(u"ButtonAllowSharing", Disabled, &CFailureDlg::m_allowSharingDisabled),
    };
    return kBindings;
}

std::span<const ClickHandler<CFailureDlg>> CFailureDlg::Clicks()
{
    static constexpr ClickHandler<CFailureDlg> kClicks[] = {
        {u"LinkLog", &CFailureDlg::OnLinkLog},
        {u"ButtonNext", &CFailureDlg::OnButtonNext},
        {u"ButtonAllowSharing", &CFailureDlg::OnButtonAllowSharing},
    };
    return kClicks;
}

int CFailureDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    // A log that could not be opened switched logging off: the link would show nothing of this run.
    if (!ProgramLog().IsOpen()) {
        m_logPath = platform::ToDisplayPath(kLogFilePath);
        SetElementAttribute(u"LogUnwritten", u"className", u"show");
    }
    ShowSharingFix(State().sharingNotAllowed);
    UpdateData(false);
    return 1;
}

void CFailureDlg::OnLinkLog()
{
    // The program is not waited for; the page stays.
    if (platform::Use<platform::IShell>().OpenTextFile(kLogFilePath))
        return;
    ProgramLog().Line(u"CFailureDlg::OnLinkLog(): ERROR: Could not open " + CString(kLogFilePath));
    ShowMessageBox(InformationBox, 164, platform::ToDisplayPath(kLogFilePath)); // where to find it by hand
}

void CFailureDlg::OnButtonNext()
{
    EndDialog(platform::kPageOk); // the enclosing pages have ended: the wizard ends
}

void CFailureDlg::ShowSharingFix(bool shown)
{
    SetElementAttribute(u"SharingFix", u"className", shown ? u"show" : u"");
}

void CFailureDlg::OnButtonAllowSharing()
{
    if (!State().sharingNotAllowed || !m_allowSharingDisabled.IsEmpty())
        return;
    m_allowSharingDisabled = u"disabled";
    UpdateData(false);
    fixes::FixRequest join;
    join.verb = fixes::Verb::JoinSambashare;
    StartFix(join, CString());
}

void CFailureDlg::WindowProc(unsigned message)
{
    if (message != WM_FIX_DONE)
        return;
    m_allowSharingDisabled.Empty();
    UpdateData(false);
    if (!FixDone().ok) {
        ShowMessageBox(ErrorBox, kFixFailed, CString::FromUtf8(FixDone().message));
        return;
    }
    // A new group counts from the account's next login: this run cannot share any more than before.
    State().sharingNotAllowed = false;
    ShowSharingFix(false);
    ShowMessageBox(InformationBox, kSharingFromNextLogin);
}
