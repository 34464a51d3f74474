// The page "FolderName". The scan folder's parent path and name, and whether a desktop shortcut is wanted.
#pragma once

#include "wizard/CBaseDlg.h"

class CFolderNameDlg : public CBaseDlg {
public:
    explicit CFolderNameDlg(WizardState& state);

    static std::span<const Binding<CFolderNameDlg>> Bindings();
    static std::span<const ClickHandler<CFolderNameDlg>> Clicks();

protected:
    int OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }

private:
    void OnButtonNext();
    void OnButtonBack();
    void OnButtonBrowse();
    void OnCheckboxShortcut();
    void OnLinkEdit();

    CString m_nextDisabled;
    CString m_modelIp;
    CString m_folderName;
};
