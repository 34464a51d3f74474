// The wizard's page class: a page of the page framework bound to the run's WizardState, with
// the wizard's Cancel button and one worker thread per page.
#pragma once

#include "wizard/PageTables.h"

#include "fixes/FixContext.h"
#include "fixes/FixRequest.h"
#include "pageframe/CPageDlg.h"
#include "platform/core/Paths.h"

#include <functional>
#include <thread>

class CBaseDlg : public CPageDlg {
public:
    CBaseDlg(WizardState& state, const char16_t* pageName);
    ~CBaseDlg() override;

    WizardState& State() { return m_state; }

    // Handler of every ButtonCancel: on to the Cancel page.
    void OnButtonCancel();

protected:
    // Starts work on a thread of its own with the run's state, after setting windowHandle and
    // activePage to this page. The page waits for it before its window goes.
    void StartWorker(void (*work)(WizardState* state));
    // The same for work that carries what it needs itself.
    void StartWorker(std::function<void()> work);
    // Carries a fix out on the worker (ApplyFix of frontend/FixOffers.h: the desktop's
    // authentication dialog once, the password on the helper's standard input only); the page
    // gets WM_FIX_DONE and then finds the outcome in FixDone().
    void StartFix(const fixes::FixRequest& request, const CString& password);
    const fixes::FixOutcome& FixDone() const { return m_fixOutcome; }

    template <class Page>
    void Exchange(bool saveAndValidate, Page& page, std::span<const Binding<Page>> bindings);
    template <class Page>
    static bool Dispatch(Page& page, std::span<const ClickHandler<Page>> clicks, const CString& id);

private:
    void OnModalEnd() override;

    WizardState& m_state;
    std::thread m_worker;
    fixes::FixOutcome m_fixOutcome;
};

template <class Page>
void CBaseDlg::Exchange(bool saveAndValidate, Page& page, std::span<const Binding<Page>> bindings)
{
    std::vector<platform::PageField> fields;
    fields.reserve(bindings.size());
    for (const Binding<Page>& b : bindings) {
        CString text = b.pageText ? page.*b.pageText
                     : b.stateText ? m_state.*b.stateText
                     : IntToCString(m_state.*b.stateNumber);
        fields.push_back({b.id, b.property, b.path ? platform::ToDisplayPath(text) : text});
    }
    ExchangeFields(saveAndValidate, fields);
    if (!saveAndValidate)
        return;
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const Binding<Page>& b = bindings[i];
        if (!fields[i].found)
            continue; // a missing element leaves its member as it was
        if (b.path && fields[i].text == platform::ToDisplayPath(m_state.*b.stateText))
            continue; // the path as shown, unchanged: its own form stays
        if (b.pageText)
            page.*b.pageText = fields[i].text;
        else if (b.stateText)
            m_state.*b.stateText = fields[i].text;
        else
            m_state.*b.stateNumber = NumberOf(fields[i].text);
    }
}

template <class Page>
bool CBaseDlg::Dispatch(Page& page, std::span<const ClickHandler<Page>> clicks, const CString& id)
{
    for (const ClickHandler<Page>& click : clicks)
        if (id == click.id) {
            (page.*click.handler)();
            return true;
        }
    return false;
}
