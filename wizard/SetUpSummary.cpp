#include "wizard/SetUpSummary.h"

#include "common/localization/StringResources.h"
#include "library/Quillet_Library.h"
#include "platform/core/Locale.h"
#include "platform/core/Paths.h"
#include "platform/core/Services.h"

namespace {

void Load(platform::LANGID language, unsigned id, CString& text)
{
    if (id == 0)
        text.Empty();
    else
        LoadStringForLanguage(language, id, text);
}

} // namespace

CString UpperCaseAsciiLetters(const CString& text)
{
    std::u16string upper = text.str();
    for (char16_t& ch : upper)
        if (ch >= u'a' && ch <= u'z')
            ch = static_cast<char16_t>(ch - u'a' + u'A');
    return CString(upper);
}

void FillSummary(const WizardState& state, const SummaryStrings& strings, const SummaryTexts& texts)
{
    const platform::LANGID language = platform::Use<platform::ILocale>().UserLocaleLanguage();
    texts.quickAccessName = UpperCaseAsciiLetters(state.folderName);
    const CString& location = state.location;
    const bool endsInSeparator = !location.IsEmpty() && location[location.GetLength() - 1] == u'\\';
    texts.path = platform::ToDisplayPath(endsInSeparator ? location + state.folderName : location + u"\\" + state.folderName);
    if (state.createShortcut) {
        Load(language, strings.shortcutWanted, texts.shortcutText);
        texts.shortcutPath = state.folderName;
    } else {
        Load(language, strings.noShortcut, texts.shortcutText);
        texts.shortcutPath.Empty();
    }
    Load(language, state.feature == UNMANAGED_SCAN_TO_DESKTOP ? strings.scanToDesktop : strings.networkFolder,
         texts.featureText);
}
