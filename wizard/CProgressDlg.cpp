#include "wizard/CProgressDlg.h"

#include "wizard/PageChain.h"

CProgressDlg::CProgressDlg(WizardState& state) : CBaseDlg(state, u"Progress") {}

std::span<const Binding<CProgressDlg>> CProgressDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CProgressDlg> kBindings[] = {
        PageText<CProgressDlg>(u"Step1Image", Src, &CProgressDlg::m_step1Image),
        PageText<CProgressDlg>(u"Step2Image", Src, &CProgressDlg::m_step2Image),
        PageText<CProgressDlg>(u"Step3Image", Src, &CProgressDlg::m_step3Image),
    };
    return kBindings;
}

std::span<const ClickHandler<CProgressDlg>> CProgressDlg::Clicks()
{
    return {};
}

int CProgressDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    LogEntering();
    UpdateData(false);
    return 1;
}

void CProgressDlg::WindowProc(unsigned /*message*/)
{
    // WM_PROGRESS_START, WM_COMPUTER_DONE, WM_DEVICE_DONE: come with the set-up workers.
}
