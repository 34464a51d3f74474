// Tarrow: the scan-to-folder set-up wizard.
#include "wizard/CQuilletApp.h"

int main()
{
    static WizardState state; // the run's one record, alive until the process ends
    CQuilletApp app(state);
    app.InitInstance();
    return 0; // the wizard sets no exit code of its own
}
