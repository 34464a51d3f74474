// The Welcome page's device check, on a worker thread: TarrowNetwork for a new address, then the
// device's scan feature and, when it can be used, its folder list for the removal pages. Ends by
// posting WM_WORK_DONE to the page.
#pragma once

#include "wizard/WizardState.h"

void CheckDevice(WizardState* state);
