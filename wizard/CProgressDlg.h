// The page "Progress". The set-up at work: three step images while the workers run.
#pragma once

#include "wizard/CBaseDlg.h"

class CProgressDlg : public CBaseDlg {
public:
    explicit CProgressDlg(WizardState& state);

    static std::span<const Binding<CProgressDlg>> Bindings();
    static std::span<const ClickHandler<CProgressDlg>> Clicks();

protected:
    int OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }
    void WindowProc(unsigned message) override;

private:

    CString m_step1Image = u"../Images/Blank.bmp";
    CString m_step2Image = u"../Images/Blank.bmp";
    CString m_step3Image = u"../Images/Blank.bmp";
};
