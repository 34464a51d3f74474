#include "wizard/CScanOptionsDlg.h"

#include "wizard/PageChain.h"
#include "common/log/ProgramLog.h"
#include "library/Quillet_Library.h"

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
    MapScanOptions(State());
    GoToPage(*this, PageId::ConfirmAdd);
}

void MapScanOptions(WizardState& state)
{
    // The options of each select follow the library's values: index i is value i + 1.
    struct Row {
        int WizardState::*index;
        int WizardState::*value;
        int count;
    };
    static constexpr Row kRows[] = {
        {&WizardState::documentTypeIndex, &WizardState::fileFormat, BREDE_FORMAT_JPEG},
        {&WizardState::resolutionIndex, &WizardState::resolution, BREDE_RESOLUTION_75},
        {&WizardState::scanTypeIndex, &WizardState::colorSetting, BREDE_COLOR_COLOR},
        {&WizardState::qualityIndex, &WizardState::fileSize, BREDE_FILESIZE_LARGE},
    };
    for (const Row& row : kRows) {
        const int index = state.*row.index;
        if (index >= 0 && index < row.count)
            state.*row.value = index + 1; // outside the list: the value stays
    }
}

void CScanOptionsDlg::OnButtonBack()
{
    GoToPage(*this, PageId::UserCredentials);
}
