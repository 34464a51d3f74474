// What every page of a program needs from the program's run: where the next page opens and
// where its page files are. Each program's shared record (WizardState, NetworkState) is one.
#pragma once

#include "platform/core/CString.h"

struct PageContext {
    int posX = 0;          // screen position of the next page (left, top)
    int posY = 0;
    CString languageCode;  // page folder, e.g. "ENWW"
    CString moduleFolder;  // folder of the executable, no trailing separator
};
