#include "wizard/CBaseDlg.h"

#include "wizard/PageChain.h"

#include "common/log/ProgramLog.h"
#include "platform/core/Services.h"
#include "platform/fs/FileSystem.h"

#include <charconv>

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

CBaseDlg::CBaseDlg(WizardState& state, const char16_t* pageName) : m_state(state), m_pageName(pageName) {}

CBaseDlg::~CBaseDlg() = default;

int CBaseDlg::DoModal()
{
    m_window = platform::Use<platform::IPageHost>().CreatePageWindow(*this);
    if (!m_window)
        return -1;
    m_window->SetCaption(kCaption);
    m_window->SetIcon(m_state.moduleFolder + u"\\Images\\Tarrow.png");
    OnInitDialog();
    int result = m_window->RunModal();
    m_window.reset();
    return result;
}

void CBaseDlg::EndDialog(int result)
{
    if (m_window)
        m_window->EndDialog(result);
}

int CBaseDlg::OnInitDialog()
{
    platform::ScreenMetrics screen = m_window->Metrics();
    if (IsRightToLeft(m_state.languageCode))
        m_window->SetRightToLeft(true);
    // Integer division cuts the scaled size toward zero.
    int width = kPageWidth * screen.dpiX / 96 + 2 * screen.borderWidth;
    int height = kPageHeight * screen.dpiY / 96 + screen.captionHeight + 2 * screen.borderWidth;
    m_window->MoveWindow({m_state.posX, m_state.posY, width, height});

    CString file = m_state.moduleFolder + u"\\" + m_state.languageCode + u"\\" + m_pageName + u".htm";
    m_url = u"file://" + file;
    unsigned attributes = 0;
    if (platform::Use<platform::IFileSystem>().GetFileAttributes(file, attributes) != 0)
        return 0; // no page file: the window stays empty, without a message
    m_window->Navigate(file);
    return 1;
}

void CBaseDlg::LogEntering()
{
    ProgramLog().Line(u"Entering " + m_pageName + u" dialog.");
}

void CBaseDlg::UpdateData(bool saveAndValidate)
{
    DoDataExchange(saveAndValidate);
}

void CBaseDlg::ExchangeFields(bool saveAndValidate, std::span<platform::PageField> fields)
{
    if (!m_window || fields.empty())
        return;
    if (saveAndValidate)
        m_window->ReadFields(fields);
    else
        m_window->WriteFields(fields);
}

int CBaseDlg::NumberOf(const CString& text)
{
    std::string digits = text.ToUtf8();
    int number = -1;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() && end == digits.data() + digits.size() ? number : -1;
}

bool CBaseDlg::GetElementProperty(const CString& id, platform::PageProperty property, CString& text)
{
    return m_window && m_window->GetProperty(id, property, text);
}

bool CBaseDlg::SetElementAttribute(const CString& id, const CString& name, const CString& value)
{
    return m_window && m_window->SetAttribute(id, name, value);
}

bool CBaseDlg::SetFocusTo(const CString& id)
{
    return m_window && m_window->Focus(id);
}

void CBaseDlg::OnOK()
{
    UpdateData(true);
}

void CBaseDlg::OnCancel()
{
    EndDialog(platform::kPageCancel);
}

void CBaseDlg::OnButtonCancel()
{
    GoToPage(*this, PageId::Cancel);
}

void CBaseDlg::OnPageClick(const CString& id)
{
    OnClick(id);
}

void CBaseDlg::OnPageMessage(unsigned message)
{
    WindowProc(message);
}
