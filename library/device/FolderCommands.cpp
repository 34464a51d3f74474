#include "Commands.h"

#include "XmlEscape.h"
#include "library/LibraryLog.h"

#include <array>

namespace {

// name="value" followed by one blank.
CString Attribute(const char16_t* namePiece, const CString& value)
{
    return CString(namePiece) + u"\"" + EscapeXmlValue(value) + u"\" ";
}

// The folder's network name: \\host\share.
CString FolderPathAttribute(const FolderRecord& record)
{
    return u"FolderPath=\"\\\\" + EscapeXmlValue(record.ShareHostName) + u"\\"
        + EscapeXmlValue(record.ShareName) + u"\" ";
}

// name="device value" followed by a blank, or name and a blank for a value outside the table.
template <std::size_t N>
CString Option(const char16_t* namePiece, int value, const std::array<const char16_t*, N>& deviceValues)
{
    if (value >= 1 && static_cast<std::size_t>(value) <= N)
        return CString(namePiece) + u"\"" + deviceValues[static_cast<std::size_t>(value - 1)] + u"\" ";
    return CString(namePiece) + u" ";
}

constexpr std::array<const char16_t*, 4> kFileFormats{u"PDF", u"TIFF", u"MTIFF", u"JPEG"};
constexpr std::array<const char16_t*, 6> kResolutions{u"600x600", u"400x400", u"300x300",
                                                      u"200x200", u"150x150", u"75x75"};
constexpr std::array<const char16_t*, 2> kColors{u"Black_White", u"Color"};
constexpr std::array<const char16_t*, 3> kFileSizes{u"DS_FILESIZE_SMALL", u"DS_FILESIZE_STANDARD",
                                                    u"DS_FILESIZE_LARGE"};

constexpr const char16_t* kDeleteRequestHead =
    u"<DbAddRec CommandID=\"136\">";
constexpr const char16_t* kAddListSpecifiers =
    u"<DbListSpecifiers>"
    u"<ArgsPubNetFolder MergeRecType=\"PUBNETFOLDERTYPE\"/>"
    u"</DbListSpecifiers>";
constexpr const char16_t* kReadListSpecifiers =
    u"<DbListSpecifiers>"
    u"<ArgsPubNetFolder MergeRecType=\"PUBNETFOLDERTYPE\" />"
    u"</DbListSpecifiers>";

} // namespace

CCreateFolderAlias::CCreateFolderAlias(FolderRecord record) : folderRecord(std::move(record))
{
    csCommandName = u"CreateFolderAlias";
    CreatePayload();
}

int CCreateFolderAlias::CreatePayload()
{
    const FolderRecord& r = folderRecord;
    csOptions = Option(u"FileFormat=", r.FileFormat, kFileFormats)
        + Option(u"Resolution=", r.Resolution, kResolutions)
        + Option(u"ColorPreference=", r.ColorSetting, kColors)
        + Option(u"FilesizeAdjustment=", r.FileSize, kFileSizes);

    csPayload = CString(u"<DbAddRec CommandID=\"128\">")
        + u"<Request DbNumRecs=\"1\" DbNumListSpecifiers=\"1\">"
        + kAddListSpecifiers
        + u"<StdDbRecTypes><DbFolderRec "
        + u"DestinationType=\"FOLDER\" "
        + Attribute(u"FolderName=", r.ShareName)
        + FolderPathAttribute(r);
    if (r.credentialsGiven) {
        csPayload += u"FolderAuthType=\"DEFAULT_USER_CREDENTIALS\" ";
        csPayload += Attribute(u"UserName=", r.UserName);
        csPayload += Attribute(u"Password=", r.Password);
        csPayload += Attribute(u"NtDomain=", r.NtDomain);
    } else {
        csPayload += u"FolderAuthType=\"MFP_USER_CREDENTIALS\" ";
    }
    csPayload += csOptions;
    csPayload += u"/></StdDbRecTypes></Request></DbAddRec>";
    return 1;
}

CDeleteFolderAlias::CDeleteFolderAlias(CString folderName) : csFolderName(std::move(folderName))
{
    csCommandName = u"DeleteFolderAlias";
    CreatePayload();
}

int CDeleteFolderAlias::CreatePayload()
{
    csPayload = CString(kDeleteRequestHead)
        + u"<Request DbNumRecs=\"1\" DbNumListSpecifiers=\"1\">"
        + kAddListSpecifiers
        + u"<StdDbRecTypes><DbFolderRec "
        + Attribute(u"FolderName=", csFolderName)
        + u"/></StdDbRecTypes></Request></DbAddRec>";
    return 1;
}

CDeleteFolderList::CDeleteFolderList(const CStringList& names) : folderNames(names)
{
    csCommandName = u"DeleteFolderList";
    CreatePayload();
}

int CDeleteFolderList::CreatePayload()
{
    csPayload = CString(kDeleteRequestHead)
        + u"<Request DbNumRecs=\"" + IntToCString(folderNames.GetCount()) + u"\" "
        + u"DbNumListSpecifiers=\"1\">"
        + kAddListSpecifiers
        + u"<StdDbRecTypes>";
    for (const CString& name : folderNames)
        csPayload += u"<DbFolderRec FolderName=\"" + EscapeXmlValue(name) + u"\" />";
    csPayload += u"</StdDbRecTypes></Request></DbAddRec>";
    return 1;
}

CIsFolderPathValid::CIsFolderPathValid(FolderRecord record) : folderRecord(std::move(record))
{
    csCommandName = u"IsFolderPathValid";
    CreatePayload();
}

int CIsFolderPathValid::CreatePayload()
{
    const FolderRecord& r = folderRecord;
    if (!r.credentialsGiven) {
        LibraryLog().Line(
            u"ERROR- CIsFolderPathValid CreatePayload() called when credentials not saved on printer.");
        return 0;
    }
    csPayload = CString(u"<MfpCommands>")
        + u"<IsValidFolderPath CommandID=\"166\">"
        + u"<Request>"
        + u"<DbFolderRec "
        + u"DestinationType=\"FOLDER\" "
        + FolderPathAttribute(r)
        + Attribute(u"UserName=", r.UserName)
        + Attribute(u"Password=", r.Password)
        + Attribute(u"NtDomain=", r.NtDomain)
        + u"/></Request></IsValidFolderPath></MfpCommands>";
    return 1;
}

CGetPrinterFolderNames::CGetPrinterFolderNames(CString numRecs) : csNumRecs(std::move(numRecs))
{
    csCommandName = u"GetPrinterFolderNames";
    CreatePayload();
}

int CGetPrinterFolderNames::CreatePayload()
{
    csPayload = CString(u"<DbGetFirstRec CommandID=\"132\">")
        + u"<Request DbNumRecs=\"" + EscapeXmlValue(csNumRecs) + u"\" DbNumListSpecifiers=\"1\">"
        + kReadListSpecifiers
        + u"<StdDbRecTypes>"
        + u"<DbFolderRec FolderName=\"*\" />"
        + u"</StdDbRecTypes>"
        + u"</Request>"
        + u"</DbGetFirstRec>";
    return 1;
}

CGetNumberOfFolders::CGetNumberOfFolders()
{
    csCommandName = u"GetNumberOfFolders";
    CreatePayload();
}

int CGetNumberOfFolders::CreatePayload()
{
    csPayload = CString(u"<DbGetNumRecs CommandID=\"130\">")
        + u"<Request DbNumListSpecifiers=\"1\">"
        + kReadListSpecifiers
        + u"<StdDbRecTypes>"
        + u"<DbFolderRec />"
        + u"</StdDbRecTypes>"
        + u"</Request>"
        + u"</DbGetNumRecs>";
    return 1;
}
