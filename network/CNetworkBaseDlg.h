// TarrowNetwork's page class: a page of the page framework bound to the run's NetworkState and
// the settings data file. Esc and the close box fail the whole run; a page left through its own
// buttons hands its position on to the next page.
#pragma once

#include "network/NetworkPageTables.h"
#include "network/NetworkState.h"

#include "common/data/CWriteXML.h"
#include "pageframe/CPageDlg.h"

#include <span>
#include <vector>

class CNetworkBaseDlg : public CPageDlg {
public:
    CNetworkBaseDlg(NetworkState& state, CWriteXML& dataFile, const char16_t* pageName);

    NetworkState& State() { return m_state; }
    CWriteXML& DataFile() { return m_dataFile; }

    // Esc and the close box: exit code 1, the page is read and ends with result 1.
    void OnCancel() override;

protected:
    // Ends the page through one of its buttons: position stored for the next page, result 1.
    void LeavePage();

    template <class Page>
    void Exchange(bool saveAndValidate, Page& page, std::span<const NetworkBinding<Page>> bindings);
    template <class Page>
    static bool Dispatch(Page& page, std::span<const NetworkClick<Page>> clicks, const CString& id);

private:
    NetworkState& m_state;
    CWriteXML& m_dataFile;
};

template <class Page>
void CNetworkBaseDlg::Exchange(bool saveAndValidate, Page& page, std::span<const NetworkBinding<Page>> bindings)
{
    std::vector<platform::PageField> fields;
    fields.reserve(bindings.size());
    for (const NetworkBinding<Page>& b : bindings)
        fields.push_back({b.id, b.property, page.*b.member});
    ExchangeFields(saveAndValidate, fields);
    if (!saveAndValidate)
        return;
    for (std::size_t i = 0; i < bindings.size(); ++i)
        if (fields[i].found) // a missing element leaves its member as it was
            page.*bindings[i].member = fields[i].text;
}

template <class Page>
bool CNetworkBaseDlg::Dispatch(Page& page, std::span<const NetworkClick<Page>> clicks, const CString& id)
{
    for (const NetworkClick<Page>& click : clicks)
        if (id == click.id) {
            (page.*click.handler)();
            return true;
        }
    return false;
}
