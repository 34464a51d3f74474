// The HTML page host: one modal window per wizard page, showing a local HTML file whose elements
// the program reads and writes by id and whose clicks it handles.
//
// This header needs no GTK. The programs link the WebKitGTK host (tarrow_page_host_webkit); the
// page-logic tests link the in-memory host (tarrow_page_host_memory), which keeps elements by id
// and plays scripted clicks and messages. Each library defines IPageHost::Default(), so a program
// chooses its host at link time, as it chooses its string table.
#pragma once

#include "platform/core/CString.h"
#include "platform/ui/WindowMessages.h"

#include <memory>
#include <span>
#include <string>

namespace platform {

// The element properties that pages exchange, all as text:
// - Value, InnerText: the text itself;
// - Disabled, Checked: "disabled" / "checked" when set, empty when not; any other text written
//   counts as set;
// - Src: the image source as written into the page ("../Images/Blank.bmp");
// - SelectedIndex: the selected index of a select element in decimal, "-1" for none.
enum class PageProperty { Value, InnerText, Disabled, Checked, Src, SelectedIndex };

// One element property in a batch read or write.
struct PageField {
    CString id;
    PageProperty property;
    CString text;
    bool found = false; // set by the host: the element exists in the page
};

// Dialog results.
inline constexpr int kPageOk = 1;
inline constexpr int kPageCancel = 2;

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// What sizing a page window needs from the screen: dots per inch and the frame that the window
// adds around its client area.
struct ScreenMetrics {
    int dpiX = 96;
    int dpiY = 96;
    int borderWidth = 0;   // one side
    int captionHeight = 0;
};

// What a page window reports to its page. All calls come on the user-interface thread.
class IPageEvents {
public:
    virtual ~IPageEvents() = default;
    // A click on the element with this id (any element with an id; the page ignores the rest).
    virtual void OnPageClick(const CString& id) = 0;
    // A message posted to the window, handed over on the user-interface thread.
    virtual void OnPageMessage(unsigned message) = 0;
    // Enter: the page reads its bindings; it does not close.
    virtual void OnOK() = 0;
    // Esc or the close box: normally ends the page with kPageCancel.
    virtual void OnCancel() = 0;
};

// One page's window. Element operations answer for the document loaded last; before a load has
// finished they wait for it (bounded); without a document they fail.
class IPageWindow : public IMessageWindow {
public:
    // Caption, icon (an image file; a missing one leaves the default icon) and layout direction.
    // Right to left mirrors both the window and the page (document.documentElement.dir).
    virtual void SetCaption(const CString& caption) = 0;
    virtual void SetIcon(const CString& imagePath) = 0;
    virtual void SetRightToLeft(bool rightToLeft) = 0;
    virtual ScreenMetrics Metrics() = 0;
    // Outer rectangle in screen pixels, frame included, as MoveWindow takes it.
    virtual void MoveWindow(const ScreenRect& outer) = 0;
    // Outer rectangle where the window is now (the user may have moved it).
    virtual ScreenRect GetWindowRect() = 0;

    // Starts loading a local file (Windows or POSIX path). Returns 1 when the load started, 0 when
    // the path cannot be expressed as a file URL.
    virtual int Navigate(const CString& filePath) = 0;

    // Single element operations: true when the element exists (and, for a read, text is set).
    virtual bool GetProperty(const CString& id, PageProperty property, CString& text) = 0;
    virtual bool SetProperty(const CString& id, PageProperty property, const CString& text) = 0;
    virtual bool SetAttribute(const CString& id, const CString& name, const CString& value) = 0;
    virtual bool Focus(const CString& id) = 0;

    // All bindings at once, one round trip to the page. ReadFields fills text and found of each
    // field (text of a missing element stays as it was); WriteFields sets found. Both return the
    // number of fields whose element exists.
    virtual int ReadFields(std::span<PageField> fields) = 0;
    virtual int WriteFields(std::span<PageField> fields) = 0;

    // Shows the window and runs its modal loop until EndDialog; returns the result given there.
    // Runs nest: a click handler may run the next page's loop inside this one.
    virtual int RunModal() = 0;
    // Ends the modal loop with result and hides the window. A loop that has nested another one
    // returns when the inner one has returned.
    virtual void EndDialog(int result) = 0;
    virtual bool IsEnded() const = 0;
};

class IPageHost {
public:
    virtual ~IPageHost() = default;
    // A new, hidden page window that reports to events (which must outlive it).
    virtual std::unique_ptr<IPageWindow> CreatePageWindow(IPageEvents& events) = 0;

    static constexpr const char* kServiceName = "PageHost";
    static IPageHost& Default();
};

} // namespace platform
