// The page "ScanOptions". The four scan settings, kept as the selected indexes of their selects for the whole run.
#pragma once

#include "wizard/CBaseDlg.h"

class CScanOptionsDlg : public CBaseDlg {
public:
    explicit CScanOptionsDlg(WizardState& state);

    static std::span<const Binding<CScanOptionsDlg>> Bindings();
    static std::span<const ClickHandler<CScanOptionsDlg>> Clicks();

protected:
    int OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }

private:
    void OnButtonNext();
    void OnButtonBack();
};

// The four selected indexes as the library's option values (fileFormat, resolution, colorSetting,
// fileSize); an index outside its select's options leaves its value as it was.
void MapScanOptions(WizardState& state);
