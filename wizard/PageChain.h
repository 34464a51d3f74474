// The wizard's pages and the hand-over from one page to the next.
#pragma once

#include "wizard/CBaseDlg.h"

enum class PageId {
    Welcome,
    SelectOp,
    FolderName,
    UserCredentials,
    ScanOptions,
    ConfirmAdd,
    Progress,
    Finish,
    Error,
    Cancel,
    ConfirmDelete,
    DeleteFinish,
};

// One page class: its page name, a factory and the element ids of its two tables.
struct PageInfo {
    PageId id;
    const char16_t* name;
    std::unique_ptr<CBaseDlg> (*make)(WizardState& state);
    std::vector<std::u16string> (*boundIds)();
    std::vector<std::u16string> (*clickIds)();
};

// Every page class, in PageId order.
std::span<const PageInfo> PageCatalogue();

// Constructs the page, runs it modally and destroys it; returns DoModal's result.
int RunPage(WizardState& state, PageId page);

// Leaves current for next: stores current's window position in posX, posY (where next opens),
// ends current's loop with OK, then runs next modally inside the caller. When next returns, the
// caller's page has ended already, so every enclosing page returns at once.
void GoToPage(CBaseDlg& current, PageId next);
