#include "CSharedFolder.h"

#include "common/log/LogEscape.h"
#include "library/LibraryLog.h"
#include "library/device/AcceptedExchange.h"
#include "library/device/AttributeCursor.h"
#include "library/device/Commands.h"
#include "library/device/ReplyScanner.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// The count as the device wrote it: leading blanks and a sign allowed, anything else counts as 0.
long ParseRecordCount(const CString& text)
{
    std::string narrow = text.ToUtf8();
    return std::strtol(narrow.c_str(), nullptr, 10);
}

// The record attributes of the scan-option lists, in the order of m_ScanOptionLists.
constexpr const char16_t* kScanOptionKeys[] = {u"FileFormat=\"", u"Resolution=\"", u"ColorPreference=\"",
                                               u"FilesizeAdjustment=\""};

// The value of key (name + "=" + quotation mark) between from and to, without a log line when
// it is missing: devices that list no scan options are common.
CString QuietAttribute(const CString& text, int from, int to, const char16_t* key)
{
    std::u16string_view record(text.str());
    record = record.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    std::size_t start = record.find(key);
    if (start == std::u16string_view::npos)
        return {};
    start += std::char_traits<char16_t>::length(key);
    std::size_t end = record.find(u'"', start);
    if (end == std::u16string_view::npos)
        return {};
    CString value(std::u16string(record.substr(start, end - start)));
    DecodeXmlEntities(value);
    return value;
}

} // namespace

int CSharedFolder::GetPrinterFolderNames(CString ipAddress)
{
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::GetPrinterFolderNames( " + EscapeForLog(ipAddress) + u")");
    m_bListInvalid = 1;

    CGetNumberOfFolders cGetNumberOfFolders;
    if (!cGetNumberOfFolders.ExecuteCommand(ipAddress)) {
        log.Line(u"ERROR- CSharedFolder()::GetPrinterFolderNames() failed for cGetNumberOfFolders.ExecuteCommand()");
        return 0;
    }
    CString numRecs;
    if (GetStringValue(cGetNumberOfFolders.GetResponse(), u"DbNumRecs", numRecs, 0) == -1) {
        log.Line(u"ERROR- CSharedFolder()::GetPrinterFolderNames()- GetStringValue() returned -1");
        return 0;
    }
    long count = ParseRecordCount(numRecs);
    if (count <= 0)
        return 1;

    CGetPrinterFolderNames cGetPrinterFolderNames(numRecs);
    if (!cGetPrinterFolderNames.ExecuteCommand(ipAddress)) {
        log.Line(u"ERROR- CSharedFolder()::GetPrinterFolderNames() failed for ExecuteCommand()");
        return 0;
    }
    log.Line(u"CSharedFolder()::GetPrinterFolderNames()- Looking for " + IntToCString(count) + u" folder names.");

    // Each record's path and user name are searched from the position of its name onwards; the
    // cursors remember their last find, so a key missing from every record costs one search.
    // Scanned in place: the reply of a large device runs to megabytes.
    const CString& response = cGetPrinterFolderNames.csResponse;
    AttributeCursor names(response, u"FolderName");
    AttributeCursor paths(response, u"FolderPath");
    AttributeCursor userNames(response, u"UserName");
    ForwardFinder nextRecord(response, u"FolderName=");
    int position = 0;
    LogBatch batch(log);
    for (long record = 1; record <= count; ++record) {
        CString name;
        position = names.Next(name, position);
        if (position == -1) {
            log.Line(u"ERROR- CSharedFolder()::GetPrinterFolderNames()- GetStringValue() failed for FolderName");
            return 0;
        }
        DecodeXmlEntities(name);
        log.Line(u"CSharedFolder()::GetPrinterFolderNames()- Found " + EscapeForLog(name));
        m_FolderNameList.AddTail(name);
        m_bListLoaded = 1;
        m_bListInvalid = 0;

        CString path;
        if (paths.Next(path, position) == -1)
            log.Line(u"ERROR- CSharedFolder()::GetPrinterFolderNames()- GetStringValue() failed for FolderPath");
        DecodeXmlEntities(path);
        log.Line(u"CSharedFolder()::GetPrinterFolderNames()- Found Network Path= " + EscapeForLog(path));
        m_FolderPathList.AddTail(path);

        CString userName;
        if (userNames.Next(userName, position) == -1)
            log.Line(u"ERROR- CSharedFolder()::GetPrinterFolderNames()- GetStringValue() failed for csFolderUserName");
        DecodeXmlEntities(userName);
        log.Line(u"CSharedFolder()::GetPrinterFolderNames()- Found UserName= " + EscapeForLog(userName));
        m_FolderUserNameList.AddTail(userName);

        int recordEnd = nextRecord.Find(position);
        if (recordEnd == -1)
            recordEnd = response.GetLength();
        for (std::size_t option = 0; option < std::size(kScanOptionKeys); ++option)
            m_ScanOptionLists[option].AddTail(QuietAttribute(response, position, recordEnd, kScanOptionKeys[option]));
    }
    return 1;
}

void CSharedFolder::ClearFolderLists()
{
    m_FolderNameList.RemoveAll();
    m_FolderPathList.RemoveAll();
    m_FolderUserNameList.RemoveAll();
    for (CStringList& list : m_ScanOptionLists)
        list.RemoveAll();
}

BOOL CSharedFolder::ReadPrinterFolders(CString ipAddress)
{
    m_bListInvalid = 1;
    ClearFolderLists();
    return GetPrinterFolderNames(ipAddress);
}

BOOL CSharedFolder::GetFolderNamesOnDevice(CString ipAddress, CString& names)
{
    ReadPrinterFolders(ipAddress);
    for (const CString& name : m_FolderNameList)
        names += name + u",";
    return 1;
}

Brede_ErrorCode CSharedFolder::DeleteFolderAlias(CString ipAddress, CString folderName)
{
    CDeleteFolderAlias cDeleteFolderAlias(folderName);
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::DeleteFolderAlias( " + EscapeForLog(ipAddress) + u"," + EscapeForLog(folderName) + u")");
    if (ExecuteAccepted(cDeleteFolderAlias, ipAddress, u"CSharedFolder()::DeleteFolderAlias()"))
        return BREDE_NO_ERROR;
    log.Line(u"ERROR- CSharedFolder()::DeleteFolderAlias() failed");
    return BREDE_FAILED;
}

Brede_ErrorCode CSharedFolder::DeleteFolderList(CString ipAddress, const CStringList& folderNames)
{
    int deletedRecords = -1;
    return DeleteFolderList(std::move(ipAddress), folderNames, deletedRecords);
}

Brede_ErrorCode CSharedFolder::DeleteFolderList(CString ipAddress, const CStringList& folderNames,
                                                int& deletedRecords)
{
    deletedRecords = -1;
    CDeleteFolderList cDeleteFolderList(folderNames);
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::DeleteFolderList()");
    if (!ExecuteAccepted(cDeleteFolderList, ipAddress, u"CSharedFolder()::DeleteFolderList()")) {
        log.Line(u"ERROR- CSharedFolder()::cDeleteFolderList() failed");
        return BREDE_FAILED;
    }
    // A device that counts what it deleted is taken at its word; one that does not, at its acceptance.
    CString deleted;
    if (GetStringValue(cDeleteFolderList.GetResponse(), u"DeletedRecords", deleted, 0) == -1)
        return BREDE_NO_ERROR;
    const long count = ParseRecordCount(deleted);
    deletedRecords = count < 0 ? 0 : static_cast<int>(std::min<long>(count, folderNames.GetCount()));
    if (count >= folderNames.GetCount())
        return BREDE_NO_ERROR;
    log.Line(u"ERROR- CSharedFolder()::DeleteFolderList()- the device deleted " + IntToCString(deletedRecords)
             + u" of " + IntToCString(folderNames.GetCount()) + u" folders");
    return BREDE_FAILED;
}

int CSharedFolder::DeleteAllFolders(CString ipAddress)
{
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::DeleteAllFolders( " + EscapeForLog(ipAddress) + u")");
    if (GetPrinterFolderNames(ipAddress) == 0) {
        log.Line(u"CSharedFolder::DeleteAllFolders():  GetPrinterFolderNames() Failed");
        return 1;
    }
    for (const CString& name : m_FolderNameList) {
        log.Line(u"CSharedFolder::DeleteAllFolders(): Deleting " + EscapeForLog(name));
        DeleteFolderAlias(ipAddress, name);
    }
    return 0;
}

int CSharedFolder::DisableSendToFolder(CString ipAddress)
{
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::DisableSendToFolder( " + EscapeForLog(ipAddress) + u")");
    CDisableSendToFolder cDisableSendToFolder;
    if (!cDisableSendToFolder.ExecuteCommand(ipAddress)) {
        log.Line(u"ERROR- CSharedFolder()::DisableSendToFolder() failed");
        return 1;
    }
    return 0;
}

int CSharedFolder::GetNumberOfFolders(CString ipAddress)
{
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"CSharedFolder::GetNumberOfFolders( " + EscapeForLog(ipAddress) + u")");
    CGetNumberOfFolders cGetNumberOfFolders;
    if (!cGetNumberOfFolders.ExecuteCommand(ipAddress)) {
        log.Line(u"ERROR- CSharedFolder()::GetNumberOfFolders() failed");
        return 1;
    }
    return 0;
}

CStringList* CSharedFolder::GetPrinterFolderList(Brede_PrinterFolderListType listType)
{
    if (!m_bListLoaded)
        return nullptr;
    switch (listType) {
    case BREDE_LIST_FOLDER_NAMES: return &m_FolderNameList;
    case BREDE_LIST_FOLDER_PATHS: return &m_FolderPathList;
    case BREDE_LIST_USER_NAMES: return &m_FolderUserNameList;
    case BREDE_LIST_FILE_FORMATS:
    case BREDE_LIST_RESOLUTIONS:
    case BREDE_LIST_COLOR_SETTINGS:
    case BREDE_LIST_FILE_SIZES:
        return &m_ScanOptionLists[listType - BREDE_LIST_FILE_FORMATS];
    }
    return nullptr;
}
