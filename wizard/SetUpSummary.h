// What ConfirmAdd says will be done and Finish says was done: the folder's name and path, the
// shortcut, the feature enabled on the device. Texts come in the language of the user's locale.
#pragma once

#include "wizard/WizardState.h"

// The string of each text on one page; 0: the text stays empty.
struct SummaryStrings {
    unsigned shortcutWanted;
    unsigned noShortcut;
    unsigned scanToDesktop;   // feature 2
    unsigned networkFolder;   // any other feature
};

inline constexpr SummaryStrings kConfirmStrings{153, 154, 155, 156};
inline constexpr SummaryStrings kFinishStrings{139, 0, 145, 146};

struct SummaryTexts {
    CString& quickAccessName;
    CString& path;
    CString& shortcutText;
    CString& shortcutPath;
    CString& featureText;
};

// Fills the texts from the state; a string that the locale's language lacks leaves its text.
void FillSummary(const WizardState& state, const SummaryStrings& strings, const SummaryTexts& texts);

// The text with the letters a to z in upper case, every other character as it is.
CString UpperCaseAsciiLetters(const CString& text);
