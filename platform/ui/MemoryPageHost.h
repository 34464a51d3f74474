// The in-memory page host: documents are sets of elements by id with their properties; a script
// of user actions (clicks, typing, Enter, Esc, the close box) is played by whichever modal loop
// runs innermost; messages posted from any thread are handed to their window by that loop.
// Runs the real page classes without a display, for fast tests of page logic.
#pragma once

#include "platform/ui/PageHost.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

class MemoryPageWindow;

struct MemoryElement {
    std::map<PageProperty, CString> properties; // unset properties read as empty
    std::map<std::u16string, CString> attributes;
};

using MemoryDocument = std::map<std::u16string, MemoryElement>;

// What one window did, kept after the window is gone.
struct MemoryWindowRecord {
    CString file;          // last file navigated to, empty when none
    CString caption;
    CString icon;
    bool rightToLeft = false;
    ScreenRect outer;      // last MoveWindow
    int moves = 0;         // MoveWindow calls
    CString focus;         // id of the element that got the focus last
    MemoryDocument document;
    bool shown = false;    // RunModal was entered
    bool ended = false;
    int result = 0;
};

class MemoryPageHost : public IPageHost {
public:
    using Action = std::function<void(MemoryPageWindow&)>;

    // The elements that a page file with this name (file name without ".htm") holds when loaded.
    void DefinePage(const CString& pageName, const MemoryDocument& document);
    // A page whose elements are these ids, with every property empty.
    void DefinePage(const CString& pageName, std::initializer_list<const char16_t*> ids);

    // The script: each action runs once, in order, inside the innermost running modal loop.
    void Then(Action action);
    // The script waits (handling posted messages) until the innermost running page is the page
    // of this name; the idle time-out applies meanwhile.
    void WaitForPage(const CString& pageName);
    // The script waits likewise until the condition holds for the innermost running window.
    void WaitUntil(std::function<bool(MemoryPageWindow&)> condition);
    void Click(const CString& id);
    void Type(const CString& id, const CString& text); // sets value
    void Set(const CString& id, PageProperty property, const CString& text);
    void PressEnter();
    void PressEscape();
    void PressCloseBox();

    // A loop with neither an action nor a message for this long ends with kPageCancel and
    // counts the time-out, so a test whose page waits for something that never comes fails.
    void SetIdleTimeout(std::chrono::milliseconds timeout) { m_idleTimeout = timeout; }
    int TimeOuts() const { return m_timeOuts; }

    ScreenMetrics metrics;
    ScreenRect initialRect{0, 0, 0, 0};

    // Every window created so far, oldest first.
    const std::vector<std::shared_ptr<MemoryWindowRecord>>& Windows() const { return m_records; }
    // Names of the page files loaded, in order ("Welcome", "Cancel", ...).
    std::vector<std::string> PagesShown() const;

    std::unique_ptr<IPageWindow> CreatePageWindow(IPageEvents& events) override;

private:
    friend class MemoryPageWindow;

    struct Posted {
        std::weak_ptr<MemoryPageWindow*> target;
        unsigned message;
    };

    // One turn of a modal loop: a waiting message, else the next action, else wait. false when
    // the idle time-out passed.
    bool RunOne(MemoryPageWindow& window);
    void Post(const std::weak_ptr<MemoryPageWindow*>& target, unsigned message);

    std::map<std::u16string, MemoryDocument> m_pages;
    struct Step {
        std::function<bool(MemoryPageWindow&)> ready; // empty: at once
        Action action;
    };
    std::deque<Step> m_script;
    std::vector<std::shared_ptr<MemoryWindowRecord>> m_records;
    std::chrono::milliseconds m_idleTimeout{5000};
    int m_timeOuts = 0;

    std::mutex m_lock;
    std::condition_variable m_posted;
    std::deque<Posted> m_messages;
};

class MemoryPageWindow : public IPageWindow {
public:
    MemoryPageWindow(MemoryPageHost& host, IPageEvents& events, std::shared_ptr<MemoryWindowRecord> record);
    ~MemoryPageWindow() override;

    IPageEvents& Events() { return m_events; }
    MemoryWindowRecord& Record() { return *m_record; }
    bool HasElement(const CString& id) { return Find(id) != nullptr; }

    void SetCaption(const CString& caption) override { m_record->caption = caption; }
    void SetIcon(const CString& imagePath) override { m_record->icon = imagePath; }
    void SetRightToLeft(bool rightToLeft) override { m_record->rightToLeft = rightToLeft; }
    ScreenMetrics Metrics() override { return m_host.metrics; }
    void MoveWindow(const ScreenRect& outer) override;
    ScreenRect GetWindowRect() override { return m_record->outer; }

    int Navigate(const CString& filePath) override;
    bool GetProperty(const CString& id, PageProperty property, CString& text) override;
    bool SetProperty(const CString& id, PageProperty property, const CString& text) override;
    bool SetAttribute(const CString& id, const CString& name, const CString& value) override;
    bool Focus(const CString& id) override;
    int ReadFields(std::span<PageField> fields) override;
    int WriteFields(std::span<PageField> fields) override;

    int RunModal() override;
    void EndDialog(int result) override;
    bool IsEnded() const override { return m_record->ended; }

    void PostMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    MemoryElement* Find(const CString& id);

    MemoryPageHost& m_host;
    IPageEvents& m_events;
    std::shared_ptr<MemoryWindowRecord> m_record;
    bool m_loaded = false;
    // Posted messages hold a weak reference: a message for a destroyed window is dropped.
    std::shared_ptr<MemoryPageWindow*> m_self;
};

} // namespace platform
