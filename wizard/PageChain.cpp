#include "wizard/PageChain.h"

#include "wizard/CCancelDlg.h"
#include "wizard/CConfirmAddDlg.h"
#include "wizard/CConfirmDeleteDlg.h"
#include "wizard/CDeleteFinishDlg.h"
#include "wizard/CFailureDlg.h"
#include "wizard/CFinishDlg.h"
#include "wizard/CFolderNameDlg.h"
#include "wizard/CProgressDlg.h"
#include "wizard/CScanOptionsDlg.h"
#include "wizard/CSelectOpDlg.h"
#include "wizard/CUserCredentialsDlg.h"
#include "wizard/CWelcomeDlg.h"

namespace {

template <class Page>
constexpr PageInfo Entry(PageId id, const char16_t* name)
{
    return {id, name,
            [](WizardState& state) -> std::unique_ptr<CBaseDlg> { return std::make_unique<Page>(state); },
            [] { return IdsOf(Page::Bindings()); },
            [] { return IdsOf(Page::Clicks()); }};
}

constexpr PageInfo kPages[] = {
    Entry<CWelcomeDlg>(PageId::Welcome, u"Welcome"),
    Entry<CSelectOpDlg>(PageId::SelectOp, u"SelectOp"),
    Entry<CFolderNameDlg>(PageId::FolderName, u"FolderName"),
    Entry<CUserCredentialsDlg>(PageId::UserCredentials, u"UserCredentials"),
    Entry<CScanOptionsDlg>(PageId::ScanOptions, u"ScanOptions"),
    Entry<CConfirmAddDlg>(PageId::ConfirmAdd, u"ConfirmAdd"),
    Entry<CProgressDlg>(PageId::Progress, u"Progress"),
    Entry<CFinishDlg>(PageId::Finish, u"Finish"),
    Entry<CFailureDlg>(PageId::Error, u"Error"),
    Entry<CCancelDlg>(PageId::Cancel, u"Cancel"),
    Entry<CConfirmDeleteDlg>(PageId::ConfirmDelete, u"ConfirmDelete"),
    Entry<CDeleteFinishDlg>(PageId::DeleteFinish, u"DeleteFinish"),
};

} // namespace

std::span<const PageInfo> PageCatalogue()
{
    return kPages;
}

int RunPage(WizardState& state, PageId page)
{
    std::unique_ptr<CBaseDlg> dialog = kPages[static_cast<int>(page)].make(state);
    return dialog->DoModal();
}

void GoToPage(CBaseDlg& current, PageId next)
{
    current.StorePosition();
    current.EndDialog(platform::kPageOk);
    RunPage(current.State(), next);
}
