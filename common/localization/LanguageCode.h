// Language choices: the page folder for the user-interface language, and the string-table
// language of message boxes.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Locale.h"

// The page-folder code ("ENWW", "DEWW", ...) for a user-interface language identifier.
CString ChooseLanguageCode(platform::LANGID language);
// The same for the user's interface language.
CString ChooseLanguageCode();

// The string-table language that message boxes use: the language itself when a table exists for
// it (1028, 1031, 1033, 1036, 1040, 1041, 1042, 1043, 1046, 1049, 2052, 3082), else 1033.
platform::LANGID MessageLanguage(platform::LANGID language);
