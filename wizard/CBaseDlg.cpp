#include "wizard/CBaseDlg.h"

#include "wizard/PageChain.h"
#include "wizard/WizardMessages.h"

#include "frontend/FixOffers.h"

CBaseDlg::CBaseDlg(WizardState& state, const char16_t* pageName) : CPageDlg(state, pageName), m_state(state) {}

CBaseDlg::~CBaseDlg()
{
    if (m_worker.joinable())
        m_worker.join();
}

void CBaseDlg::OnButtonCancel()
{
    GoToPage(*this, PageId::Cancel);
}

void CBaseDlg::StartWorker(void (*work)(WizardState* state))
{
    StartWorker([work, state = &m_state] { work(state); });
}

void CBaseDlg::StartWorker(std::function<void()> work)
{
    if (m_worker.joinable())
        m_worker.join(); // the page's earlier worker has posted its message already
    m_state.windowHandle = MessageTarget();
    m_state.activePage = this;
    m_worker = std::thread(std::move(work));
}

void CBaseDlg::StartFix(const fixes::FixRequest& request, const CString& password)
{
    StartWorker([this, request, password, window = MessageTarget()] {
        m_fixOutcome = ApplyFix(request, password);
        window->PostMessage(WM_FIX_DONE, 0, 0);
    });
}

void CBaseDlg::OnModalEnd()
{
    if (m_worker.joinable())
        m_worker.join();
}
