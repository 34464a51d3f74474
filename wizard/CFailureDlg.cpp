#include "wizard/CFailureDlg.h"

#include "wizard/PageChain.h"

#include "common/log/ProgramLog.h"
#include "platform/core/Services.h"
#include "platform/shell/Shell.h"

CFailureDlg::CFailureDlg(WizardState& state) : CBaseDlg(state, u"Error") {}

std::span<const Binding<CFailureDlg>> CFailureDlg::Bindings()
{
    return {};
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
    return 1;
}

void CFailureDlg::OnLinkLog()
{
    // The program is not waited for; the page stays.
    if (!platform::Use<platform::IShell>().OpenTextFile(kLogFilePath))
        ProgramLog().Line(u"CFailureDlg::OnLinkLog(): ERROR: Could not open " + CString(kLogFilePath));
}

void CFailureDlg::OnButtonNext()
{
    EndDialog(platform::kPageOk); // the enclosing pages have ended: the wizard ends
}
