#include "wizard/CQuilletApp.h"

#include "wizard/PageChain.h"

#include "common/localization/LanguageCode.h"
#include "common/localization/ShowMessageBox.h"
#include "common/log/ProgramLog.h"
#include "platform/core/RegistryValues.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "platform/fs/FileSystem.h"
#include "platform/ui/MessageBoxes.h"

namespace {

bool FolderExists(const CString& path)
{
    unsigned attributes = 0;
    return platform::Use<platform::IFileSystem>().GetFileAttributes(path, attributes) == 0;
}

} // namespace

bool CQuilletApp::InitInstance()
{
    DeleteLogFile(kLogFilePath);
    CString moduleFolder = platform::Use<platform::ISystemInfo>().GetModuleFolder();
    if (moduleFolder.IsEmpty())
        ShowMessageBox(ErrorBox, 152); // "Could not get path to module."; go on without a folder
    ProgramLog().Open(kLogFilePath);
    ProgramLog().BlankLine();
    ProgramLog().BlankLine();
    ProgramLog().Line(u"Starting Norvik Send To Folder program.");

    m_state.languageCode = ChooseLanguageCode();
    m_state.moduleFolder = moduleFolder;
    ProgramLog().Line(u"HTML " + m_state.moduleFolder);
    if (!FolderExists(m_state.moduleFolder + u"\\" + m_state.languageCode))
        m_state.languageCode = u"ENWW";

    if (!CheckSimpleFileSharing())
        return false;

    RunPage(m_state, PageId::Welcome);
    return false;
}

bool CheckSimpleFileSharing()
{
    const CString key = u"SYSTEM\\CurrentControlSet\\Control\\Lsa";
    auto& registry = platform::Use<platform::IRegistryValues>();
    long result = registry.OpenKey(platform::kLocalMachine, key);
    if (result != 0) {
        ProgramLog().Line(u"CWelcomeDlg::OnInitDialog: RegOpenKeyEx() returned " + IntToCString(result));
        return true;
    }
    std::uint32_t forceGuest = 0;
    result = registry.QueryDword(platform::kLocalMachine, key, u"forceguest", forceGuest);
    if (result != 0) {
        ProgramLog().Line(u"CWelcomeDlg::OnInitDialog: RegQueryValueEx() returned " + IntToCString(result));
        return true;
    }
    if (forceGuest != 0 && ShowMessageBox(KnownIssueQuestion, 149, u"4") == platform::IDNO)
        return false;
    return true;
}
