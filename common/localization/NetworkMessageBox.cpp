#include "NetworkMessageBox.h"

#include "LanguageCode.h"
#include "StringResources.h"

#include "common/log/ProgramLog.h"
#include "platform/core/Services.h"
#include "platform/ui/MessageBoxes.h"

namespace {

constexpr unsigned kErrorCaption = 140;

} // namespace

int ShowMessageBox(unsigned stringId)
{
    platform::LANGID uiLanguage = platform::Use<platform::ILocale>().UserInterfaceLanguage();
    ProgramLog().Line(u"QuilletNetwork:ShowMessageBox(): LangID= " + IntToCString(uiLanguage));
    platform::LANGID language = MessageLanguage(uiLanguage);
    CString text;
    CString caption;
    LoadStringForLanguage(language, stringId, text);
    LoadStringForLanguage(language, kErrorCaption, caption);
    return platform::Use<platform::IMessageBoxes>().Show(text, caption,
                                                         platform::MB_OK | platform::MB_ICONERROR);
}
