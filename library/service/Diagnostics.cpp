#include "CSharedFolder.h"

#include "common/log/LogEscape.h"
#include "library/LibraryLog.h"

namespace {

// Account and share of the folder-path check; a test installation creates them on the PC.
constexpr const char16_t* kTestUserName = u"TarrowTest";
constexpr const char16_t* kTestPassword = u"Tarrow-Test-1";
constexpr const char16_t* kTestDomain = u"WORKGROUP";
constexpr const char16_t* kTestShareName = u"TarrowTestShare";
constexpr const char16_t* kMissingShareName = u"TarrowNoSuchShare";
constexpr const char16_t* kWrongPassword = u"Tarrow-Wrong-1";
constexpr const char16_t* kMissingUserName = u"TarrowNoSuchUser";

FolderRecord TestRecord(const CString& hostName, const char16_t* shareName, const char16_t* userName,
                        const char16_t* password)
{
    FolderRecord record;
    record.SetShare(hostName, shareName);
    record.SetCredentials(userName, password, kTestDomain);
    return record;
}

} // namespace

CString CSharedFolder::TestFunction(int selector, CString ipAddress, CString& text)
{
    switch (selector) {
    case 1:
        GetNumberOfFolders(ipAddress);
        break;
    case 2:
        GetPrinterFolderNames(ipAddress);
        break;
    case 3:
        LibraryLog().Line(u"TestFunction(): Call cSharedFolder.MakeHostName(" + EscapeForLog(text) + u")");
        MakeHostName(text);
        break;
    case 4:
        IsFolderPathValid(ipAddress, TestRecord(text, kTestShareName, kTestUserName, kTestPassword));
        IsFolderPathValid(ipAddress, TestRecord(text, kMissingShareName, kTestUserName, kTestPassword));
        IsFolderPathValid(ipAddress, TestRecord(text, kTestShareName, kTestUserName, kWrongPassword));
        IsFolderPathValid(ipAddress, TestRecord(text, kTestShareName, kMissingUserName, kWrongPassword));
        break;
    case 6:
        DeleteAllFolders(ipAddress);
        break;
    case 7:
        GetPrinterFolderNames(ipAddress);
        DeleteFolderList(ipAddress, m_FolderNameList);
        DisableSendToFolder(ipAddress);
        break;
    case 9:
        IsValidMfp(ipAddress);
        break;
    case 99:
        LibraryLog().Line(u"Done.");
        break;
    default:
        break;
    }
    return text;
}
