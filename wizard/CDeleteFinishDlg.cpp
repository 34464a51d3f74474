#include "wizard/CDeleteFinishDlg.h"

#include "wizard/PageChain.h"

CDeleteFinishDlg::CDeleteFinishDlg(WizardState& state) : CBaseDlg(state, u"DeleteFinish") {}

std::span<const Binding<CDeleteFinishDlg>> CDeleteFinishDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CDeleteFinishDlg> kBindings[] = {
        PageText<CDeleteFinishDlg>(u"RemovedSharesList", InnerText, &CDeleteFinishDlg::m_shares),
        PageText<CDeleteFinishDlg>(u"RemovedRightsList", InnerText, &CDeleteFinishDlg::m_rights),
        PageText<CDeleteFinishDlg>(u"RemovedLinksList", InnerText, &CDeleteFinishDlg::m_links),
        PageText<CDeleteFinishDlg>(u"KeptFoldersList", InnerText, &CDeleteFinishDlg::m_kept),
        PageText<CDeleteFinishDlg>(u"NotRemovedList", InnerText, &CDeleteFinishDlg::m_notRemoved),
    };
    return kBindings;
}

namespace {

void AddLine(CString& lines, const CString& subject)
{
    lines += (lines.IsEmpty() ? u"" : u"\n") + subject;
}

} // namespace

std::span<const ClickHandler<CDeleteFinishDlg>> CDeleteFinishDlg::Clicks()
{
    static constexpr ClickHandler<CDeleteFinishDlg> kClicks[] = {
        {u"ButtonNext", &CDeleteFinishDlg::OnButtonNext},
        {u"ButtonDoAgain", &CDeleteFinishDlg::OnButtonDoAgain},
    };
    return kClicks;
}

int CDeleteFinishDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    LogEntering();
    for (const Brede_ComputerStep& step : State().removedHere) {
        if (step.outcome == BREDE_STEP_FAILED || step.outcome == BREDE_STEP_LEFT)
            AddLine(m_notRemoved, step.subject);
        else if (step.kind == BREDE_STEP_FOLDER)
            AddLine(m_kept, step.subject);
        else if (step.outcome != BREDE_STEP_REMOVED)
            continue; // a right kept for another share is no news
        else if (step.kind == BREDE_STEP_SHARE)
            AddLine(m_shares, step.subject);
        else if (step.kind == BREDE_STEP_LINK)
            AddLine(m_links, step.subject);
        else
            AddLine(m_rights, step.subject);
    }
    UpdateData(false);
    // Only the rows with something in them are shown.
    const std::pair<const char16_t*, const CString*> rows[] = {
        {u"RemovedShares", &m_shares}, {u"RemovedRights", &m_rights}, {u"RemovedLinks", &m_links},
        {u"KeptFolders", &m_kept},     {u"NotRemoved", &m_notRemoved},
    };
    for (const auto& [id, lines] : rows)
        if (!lines->IsEmpty())
            SetElementAttribute(id, u"className", u"show");
    if (!State().removedHere.empty())
        SetElementAttribute(u"ComputerSide", u"className", u"show");
    return 1;
}

void CDeleteFinishDlg::OnButtonNext()
{
    EndDialog(platform::kPageOk); // the enclosing pages have ended: the wizard ends
}

void CDeleteFinishDlg::OnButtonDoAgain()
{
    GoToPage(*this, PageId::Welcome);
}
