// Tarrow's localized message boxes, in six kinds. Texts come from the program's string table in
// the user-interface language, or in English when there is no table for it.
#pragma once

#include "platform/core/CString.h"

enum MessageBoxKind : int {
    YesNoWarning = 0,          // caption 147; Yes/No, exclamation
    YesNoWarningDefaultNo = 1, // as 0, No is the default
    KnownIssueQuestion = 2,    // as 1; the text adds the known-issue note and message 151
    KnownIssueError = 3,       // caption 135; OK, stop icon; the text adds the known-issue note
    ErrorBox = 4,              // caption 135; OK, stop icon
    InformationBox = 5,        // caption 159; OK, information icon
};

// Shows message stringId as a box of that kind; "$$" in the message and in the known-issue note
// (message 148) becomes knownIssue. Returns the button pressed: Yes 6, No 7, OK 1.
int ShowMessageBox(MessageBoxKind kind, unsigned stringId, const CString& knownIssue = CString());
