#include "wizard/CFailureDlg.h"

#include "wizard/PageChain.h"

#include "common/localization/ShowMessageBox.h"
#include "common/log/ProgramLog.h"
#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/shell/Shell.h"

CFailureDlg::CFailureDlg(WizardState& state) : CBaseDlg(state, u"Error") {}

std::span<const Binding<CFailureDlg>> CFailureDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CFailureDlg> kBindings[] = {
        StateText<CFailureDlg>(u"FailureDetail", InnerText, &WizardState::failureDetail),
        PageText<CFailureDlg>(u"LogPath", InnerText, &CFailureDlg::m_logPath),
    };
    return kBindings;
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
    // A log that could not be opened switched logging off: the link would show nothing of this run.
    if (!ProgramLog().IsOpen()) {
        m_logPath = platform::ToDisplayPath(kLogFilePath);
        SetElementAttribute(u"LogUnwritten", u"className", u"show");
    }
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
