#include "StringResources.h"

#include <algorithm>

int LoadStringForLanguage(platform::LANGID language, unsigned id, CString& text)
{
    for (const StringTable& table : ProgramStrings().tables) {
        if (table.language != language)
            continue;
        unsigned block = id / 16;
        auto first = std::lower_bound(table.entries.begin(), table.entries.end(), block * 16,
                                      [](const StringEntry& e, unsigned value) { return e.id < value; });
        if (first == table.entries.end() || first->id / 16 != block)
            return 0;
        auto found = std::find_if(first, table.entries.end(), [&](const StringEntry& e) { return e.id >= id; });
        text = found != table.entries.end() && found->id == id ? CString(found->text) : CString();
        return 1;
    }
    return 0;
}
