// The page "ConfirmDelete". Removal of the folders checked in the device's folder list.
#pragma once

#include "wizard/CBaseDlg.h"

class CConfirmDeleteDlg : public CBaseDlg {
public:
    explicit CConfirmDeleteDlg(WizardState& state);

    // Deletes the folders checked in the page's FoldersChecked (as read last) on the device;
    // nothing when none is checked. With the page's check box, the shares of the deleted
    // records on this computer go too (State().removedHere). Runs on the deletion worker.
    void DeleteFolders();

    static std::span<const Binding<CConfirmDeleteDlg>> Bindings();
    static std::span<const ClickHandler<CConfirmDeleteDlg>> Clicks();

protected:
    int OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }
    void WindowProc(unsigned message) override;

private:
    void OnButtonBack();
    void OnButtonNext();

    CString m_modelIp;
    CString m_foldersChecked;
    CString m_nextDisabled;
    CString m_stopSharing; // "checked": the folders' shares on this computer go too (off at first)
};
