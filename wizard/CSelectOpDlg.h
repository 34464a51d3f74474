// The page "SelectOp". Choice between adding a scan folder and removing folders registered on the device.
#pragma once

#include "wizard/CBaseDlg.h"

class CSelectOpDlg : public CBaseDlg {
public:
    explicit CSelectOpDlg(WizardState& state);

    // Appends the checked folders of the page's FoldersChecked to the device folder list file:
    // 1 when appended, 0 when the file could not be opened.
    int AppendJavaScript();

    static std::span<const Binding<CSelectOpDlg>> Bindings();
    static std::span<const ClickHandler<CSelectOpDlg>> Clicks();

protected:
    int OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }

private:
    void OnButtonBack();
    void OnButtonNext();

    CString m_modelIp;
    CString m_foldersChecked = u"construct37";
    CString m_addChecked = u"checked";
    CString m_removeChecked;
    CString m_nextDisabled;
};
