#include "wizard/CScanOptionsDlg.h"

#include "wizard/PageChain.h"
#include "common/log/ProgramLog.h"

CScanOptionsDlg::CScanOptionsDlg(WizardState& state) : CBaseDlg(state, u"ScanOptions") {}

std::span<const Binding<CScanOptionsDlg>> CScanOptionsDlg::Bindings()
{
    using enum platform::PageProperty;
    static constexpr Binding<CScanOptionsDlg> kBindings[] = {
        StateNumber<CScanOptionsDlg>(u"ScanTypeSelection", SelectedIndex, &WizardState::scanTypeIndex),
        StateNumber<CScanOptionsDlg>(u"ResolutionSelection", SelectedIndex, &WizardState::resolutionIndex),
        StateNumber<CScanOptionsDlg>(u"DocumentTypeSelection", SelectedIndex, &WizardState::documentTypeIndex),
        StateNumber<CScanOptionsDlg>(u"QualitySelection", SelectedIndex, &WizardState::qualityIndex),
    };
    return kBindings;
}

std::span<const ClickHandler<CScanOptionsDlg>> CScanOptionsDlg::Clicks()
{
    static constexpr ClickHandler<CScanOptionsDlg> kClicks[] = {
        {u"ButtonNext", &CScanOptionsDlg::OnButtonNext},
        {u"ButtonBack", &CScanOptionsDlg::OnButtonBack},
        {u"ButtonCancel", &CScanOptionsDlg::OnButtonCancel},
    };
    return kClicks;
}

int CScanOptionsDlg::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    LogEntering();
    UpdateData(false);
    return 1;
}

void CScanOptionsDlg::OnButtonNext()
{
    UpdateData(true);
    ProgramLog().Line(u"CScanOptionsDlg: Next button clicked");
    // Mapping the indexes onto the library's option values comes with the set-up pages.
    GoToPage(*this, PageId::ConfirmAdd);
}

void CScanOptionsDlg::OnButtonBack()
{
    GoToPage(*this, PageId::UserCredentials);
}
