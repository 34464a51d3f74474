// Tarrow: the scan-to-folder set-up wizard.
#include "platform/core/RunFolder.h"
#include "wizard/CQuilletApp.h"

int main()
{
    // Made before anything runs, so that TarrowNetwork, started later, is handed the same folder.
    platform::RunFolder();
    static WizardState state; // the run's one record, alive until the process ends
    CQuilletApp app(state);
    app.InitInstance();
    platform::RemoveRunFolder();
    return 0; // the wizard sets no exit code of its own
}
