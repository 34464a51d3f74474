#include "MemoryPageHost.h"

#include "platform/core/Paths.h"

namespace platform {

namespace {

// A flag property reads back as its own name when set, as the page's DOM would give it.
CString Stored(PageProperty property, const CString& text)
{
    if (property == PageProperty::Disabled)
        return text.IsEmpty() ? CString() : CString(u"disabled");
    if (property == PageProperty::Checked)
        return text.IsEmpty() ? CString() : CString(u"checked");
    return text;
}

// "C:\pages\ENWW\Welcome.htm" or "/x/ENWW/Welcome.htm" -> "Welcome".
std::u16string PageNameOf(const CString& filePath)
{
    std::u16string path = filePath.str();
    std::size_t slash = path.find_last_of(u"\\/");
    std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? name : name.substr(0, dot);
}

} // namespace

void MemoryPageHost::DefinePage(const CString& pageName, const MemoryDocument& document)
{
    m_pages[pageName.str()] = document;
}

void MemoryPageHost::DefinePage(const CString& pageName, std::initializer_list<const char16_t*> ids)
{
    MemoryDocument document;
    for (const char16_t* id : ids)
        document[id];
    DefinePage(pageName, document);
}

void MemoryPageHost::Then(Action action)
{
    m_script.push_back({{}, std::move(action)});
}

void MemoryPageHost::WaitForPage(const CString& pageName)
{
    std::u16string name = pageName.str();
    WaitUntil([name](MemoryPageWindow& window) { return PageNameOf(window.Record().file) == name; });
}

void MemoryPageHost::WaitUntil(std::function<bool(MemoryPageWindow&)> condition)
{
    m_script.push_back({std::move(condition), [](MemoryPageWindow&) {}});
}

void MemoryPageHost::Click(const CString& id)
{
    // Only an element that the loaded page holds can be clicked.
    Then([id](MemoryPageWindow& window) {
        if (window.HasElement(id))
            window.Events().OnPageClick(id);
    });
}

void MemoryPageHost::Type(const CString& id, const CString& text)
{
    Set(id, PageProperty::Value, text);
}

void MemoryPageHost::Set(const CString& id, PageProperty property, const CString& text)
{
    Then([=](MemoryPageWindow& window) { window.SetProperty(id, property, text); });
}

void MemoryPageHost::PressEnter()
{
    Then([](MemoryPageWindow& window) { window.Events().OnOK(); });
}

void MemoryPageHost::PressEscape()
{
    Then([](MemoryPageWindow& window) { window.Events().OnCancel(); });
}

void MemoryPageHost::PressCloseBox()
{
    PressEscape(); // both end the page through OnCancel
}

std::vector<std::string> MemoryPageHost::PagesShown() const
{
    std::vector<std::string> names;
    for (const auto& record : m_records)
        if (record->shown)
            names.push_back(CString(PageNameOf(record->file)).ToUtf8());
    return names;
}

std::unique_ptr<IPageWindow> MemoryPageHost::CreatePageWindow(IPageEvents& events)
{
    auto record = std::make_shared<MemoryWindowRecord>();
    record->outer = initialRect;
    m_records.push_back(record);
    return std::make_unique<MemoryPageWindow>(*this, events, record);
}

void MemoryPageHost::Post(const std::weak_ptr<MemoryPageWindow*>& target, unsigned message)
{
    {
        std::lock_guard guard(m_lock);
        m_messages.push_back({target, message});
    }
    m_posted.notify_one();
}

bool MemoryPageHost::RunOne(MemoryPageWindow& window)
{
    std::unique_lock wait(m_lock);
    const bool ready = !m_script.empty() && (!m_script.front().ready || m_script.front().ready(window));
    if (m_messages.empty() && !ready)
        m_posted.wait_for(wait, m_idleTimeout, [&] { return !m_messages.empty(); });
    if (!m_messages.empty()) {
        Posted posted = m_messages.front();
        m_messages.pop_front();
        wait.unlock();
        if (auto target = posted.target.lock())
            (*target)->Events().OnPageMessage(posted.message);
        return true;
    }
    wait.unlock();
    if (!ready)
        return false;
    Action action = std::move(m_script.front().action);
    m_script.pop_front();
    action(window);
    return true;
}

MemoryPageWindow::MemoryPageWindow(MemoryPageHost& host, IPageEvents& events, std::shared_ptr<MemoryWindowRecord> record)
    : m_host(host), m_events(events), m_record(std::move(record)), m_self(std::make_shared<MemoryPageWindow*>(this))
{
}

MemoryPageWindow::~MemoryPageWindow() = default;

void MemoryPageWindow::MoveWindow(const ScreenRect& outer)
{
    m_record->outer = outer;
    ++m_record->moves;
}

int MemoryPageWindow::Navigate(const CString& filePath)
{
    if (!ToPosixPath(filePath))
        return 0;
    m_record->file = filePath;
    auto page = m_host.m_pages.find(PageNameOf(filePath));
    m_record->document = page == m_host.m_pages.end() ? MemoryDocument() : page->second;
    m_loaded = true;
    return 1;
}

MemoryElement* MemoryPageWindow::Find(const CString& id)
{
    if (!m_loaded)
        return nullptr;
    auto element = m_record->document.find(id.str());
    return element == m_record->document.end() ? nullptr : &element->second;
}

bool MemoryPageWindow::GetProperty(const CString& id, PageProperty property, CString& text)
{
    MemoryElement* element = Find(id);
    if (!element)
        return false;
    text = element->properties[property];
    return true;
}

bool MemoryPageWindow::SetProperty(const CString& id, PageProperty property, const CString& text)
{
    MemoryElement* element = Find(id);
    if (!element)
        return false;
    element->properties[property] = Stored(property, text);
    return true;
}

bool MemoryPageWindow::SetAttribute(const CString& id, const CString& name, const CString& value)
{
    MemoryElement* element = Find(id);
    if (!element)
        return false;
    element->attributes[name.str()] = value;
    return true;
}

bool MemoryPageWindow::Focus(const CString& id)
{
    if (!Find(id))
        return false;
    m_record->focus = id;
    return true;
}

int MemoryPageWindow::ReadFields(std::span<PageField> fields)
{
    int found = 0;
    for (PageField& field : fields) {
        field.found = GetProperty(field.id, field.property, field.text);
        found += field.found ? 1 : 0;
    }
    return found;
}

int MemoryPageWindow::WriteFields(std::span<PageField> fields)
{
    int found = 0;
    for (PageField& field : fields) {
        field.found = SetProperty(field.id, field.property, field.text);
        found += field.found ? 1 : 0;
    }
    return found;
}

int MemoryPageWindow::RunModal()
{
    m_record->shown = true;
    while (!m_record->ended) {
        if (!m_host.RunOne(*this)) {
            ++m_host.m_timeOuts;
            EndDialog(kPageCancel);
        }
    }
    return m_record->result;
}

void MemoryPageWindow::EndDialog(int result)
{
    if (m_record->ended)
        return;
    m_record->ended = true;
    m_record->result = result;
}

void MemoryPageWindow::PostMessage(unsigned message, std::uintptr_t, std::intptr_t)
{
    m_host.Post(m_self, message);
}

} // namespace platform
