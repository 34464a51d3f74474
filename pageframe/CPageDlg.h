// One HTML page in a modal window: <module folder>\<language>\<page name>.htm, sized and placed
// as every page of both programs, with data exchange, single element operations and the page's
// window procedure for messages that worker threads post.
#pragma once

#include "pageframe/PageContext.h"

#include "platform/ui/PageHost.h"

#include <memory>
#include <span>

class PageMailbox;

class CPageDlg : public platform::IPageEvents {
public:
    CPageDlg(PageContext& context, const char16_t* pageName);
    ~CPageDlg() override;
    CPageDlg(const CPageDlg&) = delete;
    CPageDlg& operator=(const CPageDlg&) = delete;

    // Makes the window, runs OnInitDialog and the modal loop, destroys the window. Returns the
    // result given to EndDialog (1 OK, 2 cancel), or -1 when no window could be made.
    int DoModal();
    // Ends this page's modal loop with result and hides the window.
    void EndDialog(int result);

    const CString& PageName() const { return m_pageName; }
    // "file://" + module folder + "\" + language + "\" + page name + ".htm", set by OnInitDialog.
    const CString& Url() const { return m_url; }
    // The page's window; null outside DoModal.
    platform::IPageWindow* Window() { return m_window.get(); }
    // Where a worker thread posts its messages for this page, from any thread. A message posted
    // after the window is gone is dropped; the target itself stays valid as long as it is held.
    std::shared_ptr<IMessageWindow> MessageTarget() const;

    // Stores the window's left and top screen position as the place of the next page.
    void StorePosition();

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
    // Runs when the modal loop has returned, before the window goes.
    virtual void OnModalEnd() {}

    // Reads (saveAndValidate) or writes the fields in one round trip; nothing without a window.
    void ExchangeFields(bool saveAndValidate, std::span<platform::PageField> fields);
    // A select's index as the page gives it; -1 (none selected) for text that is not a number.
    static int NumberOf(const CString& text);

private:
    void OnPageClick(const CString& id) final;
    void OnPageMessage(unsigned message) final;

    PageContext& m_context;
    CString m_pageName;
    CString m_url;
    std::unique_ptr<platform::IPageWindow> m_window;
    std::shared_ptr<PageMailbox> m_mailbox;
};
