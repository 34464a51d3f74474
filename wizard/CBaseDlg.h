// The common page class: one wizard page, a modal window showing the HTML file
// <module folder>\<language>\<page name>.htm.
#pragma once

#include "wizard/PageTables.h"

#include <memory>

class CBaseDlg : public platform::IPageEvents {
public:
    CBaseDlg(WizardState& state, const char16_t* pageName);
    ~CBaseDlg() override;
    CBaseDlg(const CBaseDlg&) = delete;
    CBaseDlg& operator=(const CBaseDlg&) = delete;

    // Makes the window, runs OnInitDialog and the modal loop, destroys the window. Returns the
    // result given to EndDialog (1 OK, 2 cancel), or -1 when no window could be made.
    int DoModal();
    // Ends this page's modal loop with result and hides the window.
    void EndDialog(int result);

    const CString& PageName() const { return m_pageName; }
    // "file://" + module folder + "\" + language + "\" + page name + ".htm", set by OnInitDialog.
    const CString& Url() const { return m_url; }
    WizardState& State() { return m_state; }
    // The page's window; null outside DoModal.
    platform::IPageWindow* Window() { return m_window.get(); }

    // Data exchange through the page's bindings: true reads the page into the members, false
    // writes the members into the page.
    void UpdateData(bool saveAndValidate = true);

    // Single element operations; false when the element (or the window) is missing.
    bool GetElementProperty(const CString& id, platform::PageProperty property, CString& text);
    bool SetElementAttribute(const CString& id, const CString& name, const CString& value);
    bool SetFocusTo(const CString& id);

    // Enter: reads the page, never closes it.
    void OnOK() override;
    // Esc and the close box: ends the page with cancel.
    void OnCancel() override;
    // Handler of every ButtonCancel: on to the Cancel page.
    void OnButtonCancel();

protected:
    // The common page start: window size, place and direction; navigation. Returns 1 when the
    // page file was found and loading began, 0 when it is missing (the page stays empty).
    // Pages that override it call it first.
    virtual int OnInitDialog();
    // Writes "Entering <page name> dialog." to the log.
    void LogEntering();

    virtual void DoDataExchange(bool /*saveAndValidate*/) {}
    // The page's click map; false when the id has no handler.
    virtual bool OnClick(const CString& /*id*/) { return false; }
    // The page's window procedure for posted messages.
    virtual void WindowProc(unsigned /*message*/) {}

    template <class Page>
    void Exchange(bool saveAndValidate, Page& page, std::span<const Binding<Page>> bindings);
    template <class Page>
    static bool Dispatch(Page& page, std::span<const ClickHandler<Page>> clicks, const CString& id);

private:
    void OnPageClick(const CString& id) final;
    void OnPageMessage(unsigned message) final;
    void ExchangeFields(bool saveAndValidate, std::span<platform::PageField> fields);
    // A select's index as the page gives it; -1 (none selected) for text that is not a number.
    static int NumberOf(const CString& text);

    WizardState& m_state;
    CString m_pageName;
    CString m_url;
    std::unique_ptr<platform::IPageWindow> m_window;
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
        fields.push_back({b.id, b.property, text});
    }
    ExchangeFields(saveAndValidate, fields);
    if (!saveAndValidate)
        return;
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const Binding<Page>& b = bindings[i];
        if (!fields[i].found)
            continue; // a missing element leaves its member as it was
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
