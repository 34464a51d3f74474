#include "pageframe/CPageDlg.h"

#include "common/log/ProgramLog.h"
#include "platform/core/Services.h"
#include "platform/fs/FileSystem.h"

#include <charconv>
#include <mutex>

namespace {

constexpr const char16_t* kCaption = u"Scan Setup Wizard";
// Client area of every page at 96 dots per inch.
constexpr int kPageWidth = 688;
constexpr int kPageHeight = 520;

bool IsRightToLeft(const CString& languageCode)
{
    return languageCode == u"ARWW" || languageCode == u"HEWW";
}

} // namespace

// Stands between worker threads and the page's window: a post reaches the window while it
// exists, and the window is not destroyed while a post is under way.
class PageMailbox final : public IMessageWindow {
public:
    void Attach(platform::IPageWindow* window)
    {
        std::lock_guard lock(m_mutex);
        m_window = window;
    }

    void PostMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        std::lock_guard lock(m_mutex);
        if (m_window)
            m_window->PostMessage(message, wParam, lParam);
    }

private:
    std::mutex m_mutex;
    platform::IPageWindow* m_window = nullptr;
};

CPageDlg::CPageDlg(PageContext& context, const char16_t* pageName)
    : m_context(context), m_pageName(pageName), m_mailbox(std::make_shared<PageMailbox>())
{
}

CPageDlg::~CPageDlg() = default;

int CPageDlg::DoModal()
{
    m_window = platform::Use<platform::IPageHost>().CreatePageWindow(*this);
    if (!m_window)
        return -1;
    m_mailbox->Attach(m_window.get());
    m_window->SetCaption(kCaption);
    m_window->SetIcon(m_context.moduleFolder + u"\\Images\\Tarrow.png");
    OnInitDialog();
    int result = m_window->RunModal();
    OnModalEnd();
    m_mailbox->Attach(nullptr);
    m_window.reset();
    return result;
}

void CPageDlg::EndDialog(int result)
{
    if (m_window)
        m_window->EndDialog(result);
}

std::shared_ptr<IMessageWindow> CPageDlg::MessageTarget() const
{
    return m_mailbox;
}

void CPageDlg::StorePosition()
{
    if (!m_window)
        return;
    platform::ScreenRect rect = m_window->GetWindowRect();
    m_context.posX = rect.left;
    m_context.posY = rect.top;
}

int CPageDlg::OnInitDialog()
{
    platform::ScreenMetrics screen = m_window->Metrics();
    if (IsRightToLeft(m_context.languageCode))
        m_window->SetRightToLeft(true);
    // Integer division cuts the scaled size toward zero.
    int width = kPageWidth * screen.dpiX / 96 + 2 * screen.borderWidth;
    int height = kPageHeight * screen.dpiY / 96 + screen.captionHeight + 2 * screen.borderWidth;
    m_window->MoveWindow({m_context.posX, m_context.posY, width, height});

    CString file = m_context.moduleFolder + u"\\" + m_context.languageCode + u"\\" + m_pageName + u".htm";
    m_url = u"file://" + file;
    unsigned attributes = 0;
    if (platform::Use<platform::IFileSystem>().GetFileAttributes(file, attributes) != 0)
        return 0; // no page file: the window stays empty, without a message
    m_window->Navigate(file);
    return 1;
}

void CPageDlg::LogEntering()
{
    ProgramLog().Line(u"Entering " + m_pageName + u" dialog.");
}

void CPageDlg::UpdateData(bool saveAndValidate)
{
    DoDataExchange(saveAndValidate);
}

void CPageDlg::ExchangeFields(bool saveAndValidate, std::span<platform::PageField> fields)
{
    if (!m_window || fields.empty())
        return;
    if (saveAndValidate)
        m_window->ReadFields(fields);
    else
        m_window->WriteFields(fields);
}

int CPageDlg::NumberOf(const CString& text)
{
    std::string digits = text.ToUtf8();
    int number = -1;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() && end == digits.data() + digits.size() ? number : -1;
}

bool CPageDlg::GetElementProperty(const CString& id, platform::PageProperty property, CString& text)
{
    return m_window && m_window->GetProperty(id, property, text);
}

bool CPageDlg::SetElementAttribute(const CString& id, const CString& name, const CString& value)
{
    return m_window && m_window->SetAttribute(id, name, value);
}

bool CPageDlg::SetFocusTo(const CString& id)
{
    return m_window && m_window->Focus(id);
}

void CPageDlg::OnOK()
{
    UpdateData(true);
}

void CPageDlg::OnCancel()
{
    EndDialog(platform::kPageCancel);
}

void CPageDlg::OnPageClick(const CString& id)
{
    OnClick(id);
}

void CPageDlg::OnPageMessage(unsigned message)
{
    WindowProc(message);
}
