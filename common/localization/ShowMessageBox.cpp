#include "ShowMessageBox.h"

#include "LanguageCode.h"
#include "StringResources.h"

#include "common/log/ProgramLog.h"
#include "platform/core/Services.h"
#include "platform/ui/MessageBoxes.h"

namespace {

constexpr unsigned kErrorCaption = 135;
constexpr unsigned kWarningCaption = 147;
constexpr unsigned kKnownIssueNote = 148;
constexpr unsigned kContinueQuestion = 151;
constexpr unsigned kInformationCaption = 159;

struct KindRow {
    unsigned caption;
    bool knownIssueNote;
    bool continueQuestion;
    unsigned style;
};

constexpr KindRow kKinds[] = {
    {kWarningCaption, false, false, platform::MB_YESNO | platform::MB_ICONWARNING},
    {kWarningCaption, false, false, platform::MB_YESNO | platform::MB_ICONWARNING | platform::MB_DEFBUTTON2},
    {kWarningCaption, true, true, platform::MB_YESNO | platform::MB_ICONWARNING | platform::MB_DEFBUTTON2},
    {kErrorCaption, true, false, platform::MB_OK | platform::MB_ICONERROR},
    {kErrorCaption, false, false, platform::MB_OK | platform::MB_ICONERROR},
    {kInformationCaption, false, false, platform::MB_OK | platform::MB_ICONINFORMATION},
};

CString Load(platform::LANGID language, unsigned id)
{
    CString text;
    LoadStringForLanguage(language, id, text);
    return text;
}

} // namespace

int ShowMessageBox(MessageBoxKind kind, unsigned stringId, const CString& knownIssue)
{
    platform::LANGID uiLanguage = platform::Use<platform::ILocale>().UserInterfaceLanguage();
    ProgramLog().Line(u"Quillet:ShowMessageBox(): StringID= " + IntToCString(stringId) +
                      u", LangID= " + IntToCString(uiLanguage));
    if (kind < YesNoWarning || kind > InformationBox)
        return 0;

    const KindRow& row = kKinds[kind];
    platform::LANGID language = MessageLanguage(uiLanguage);
    CString text = Load(language, stringId);
    text.Replace(u"$$", knownIssue);
    if (row.knownIssueNote) {
        CString note = Load(language, kKnownIssueNote);
        note.Replace(u"$$", knownIssue);
        text += u"\n\n" + note + u"\n\n";
    }
    if (row.continueQuestion)
        text += Load(language, kContinueQuestion);
    return platform::Use<platform::IMessageBoxes>().Show(text, Load(language, row.caption), row.style);
}
