// Tarrow's application: start-up checks, then the wizard's pages.
#pragma once

#include "wizard/WizardState.h"

class CQuilletApp {
public:
    explicit CQuilletApp(WizardState& state) : m_state(state) {}

    // The whole run: log, language, the simple-file-sharing check, then the Welcome page and
    // every page nested in it. Returns false: the program ends when the pages have closed.
    bool InitInstance();

private:
    WizardState& m_state;
};

// Start-up check of the system's "simple file sharing" (forced guest access to shares), under
// which scanning to a share cannot work. true to go on; false when it is on and the user
// chose not to. A setting that cannot be read is logged and counts as off.
bool CheckSimpleFileSharing();
