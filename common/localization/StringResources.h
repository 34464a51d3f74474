// The program's string tables: one table per language, each mapping message identifiers to
// texts. They are compiled into the program from resources/strings/<program>/*.txt; each program
// links exactly one string library (tarrow_strings_wizard or tarrow_strings_network), which
// defines ProgramStrings().
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Locale.h"

#include <span>
#include <string_view>

struct StringEntry {
    unsigned id;
    std::u16string_view text;
};

struct StringTable {
    platform::LANGID language;
    std::span<const StringEntry> entries; // ascending identifiers
};

struct StringResources {
    std::span<const StringTable> tables;
};

const StringResources& ProgramStrings();

// Looks the text up in the table of exactly that language. Texts are kept in blocks of sixteen
// identifiers (identifier / 16): when the language has no table or its table no entry in the
// identifier's block, returns 0 and leaves text unchanged; otherwise sets text (empty for an
// identifier that the block lacks) and returns 1.
int LoadStringForLanguage(platform::LANGID language, unsigned id, CString& text);
