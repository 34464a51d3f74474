// Requests exactly as the product's library writes them.
#pragma once

#include <string>

namespace payloads {

inline const std::string kIsValidMfp =
    "<MfpCommands><IsValidMfp CommandID=\"170\"><Request /></IsValidMfp></MfpCommands>";

inline const std::string kGetMfpRecord =
    "<MfpCommands><GetMfpRecordFromDevice CommandID=\"156\">"
    "<Request IgnoreMfpOwnership=\"true\" LanguageID=\"255\" />"
    "</GetMfpRecordFromDevice></MfpCommands>";

inline const std::string kEnableSendToFolder =
    "<EnableFolder CommandID=\"180\"><Request><MfpRecord>"
    "<ListOfEnabledFeatures><\"SCAN_TO_SHARE\" \"SCAN_TO_SIMPLE_FOLDER\"/></ListOfEnabledFeatures>"
    "</MfpRecord></Request></EnableFolder>";

inline const std::string kDisableSendToFolder =
    "<EnableFolder CommandID=\"180\"><Request><MfpRecord>"
    "<ListOfEnabledFeatures></ListOfEnabledFeatures>"
    "</MfpRecord></Request></EnableFolder>";

inline const std::string kGetNumberOfFolders =
    "<DbGetNumRecs CommandID=\"130\"><Request DbNumListSpecifiers=\"1\"><DbListSpecifiers>"
    "<ArgsPubNetFolder MergeRecType=\"PUBNETFOLDERTYPE\" /></DbListSpecifiers>"
    "<StdDbRecTypes><DbFolderRec /></StdDbRecTypes></Request></DbGetNumRecs>";

inline std::string GetPrinterFolderNames(const std::string& count)
{
    return "<DbGetFirstRec CommandID=\"132\"><Request DbNumRecs=\"" + count
        + "\" DbNumListSpecifiers=\"1\"><DbListSpecifiers>"
          "<ArgsPubNetFolder MergeRecType=\"PUBNETFOLDERTYPE\" /></DbListSpecifiers>"
          "<StdDbRecTypes><DbFolderRec FolderName=\"*\" /></StdDbRecTypes></Request></DbGetFirstRec>";
}

inline const std::string kDbAddRecHead =
    "<Request DbNumRecs=\"1\" DbNumListSpecifiers=\"1\"><DbListSpecifiers>"
    "<ArgsPubNetFolder MergeRecType=\"PUBNETFOLDERTYPE\"/></DbListSpecifiers>";

inline std::string CreateFolderAlias(const std::string& host, const std::string& share, const std::string& user,
                                     const std::string& password, const std::string& domain)
{
    return "<DbAddRec CommandID=\"128\">" + kDbAddRecHead
        + "<StdDbRecTypes><DbFolderRec DestinationType=\"FOLDER\" FolderName=\"" + share + "\" FolderPath=\"\\\\"
        + host + "\\" + share + "\" FolderAuthType=\"DEFAULT_USER_CREDENTIALS\" UserName=\"" + user
        + "\" Password=\"" + password + "\" NtDomain=\"" + domain
        + "\" FileFormat=\"PDF\" Resolution=\"300x300\" ColorPreference=\"Color\" "
          "FilesizeAdjustment=\"DS_FILESIZE_STANDARD\" /></StdDbRecTypes></Request></DbAddRec>";
}

inline std::string CreateFolderAliasWithoutAccount(const std::string& host, const std::string& share)
{
    return "<DbAddRec CommandID=\"128\">" + kDbAddRecHead
        + "<StdDbRecTypes><DbFolderRec DestinationType=\"FOLDER\" FolderName=\"" + share + "\" FolderPath=\"\\\\"
        + host + "\\" + share + "\" FolderAuthType=\"MFP_USER_CREDENTIALS\" FileFormat=\"TIFF\" "
          "Resolution=\"600x600\" ColorPreference=\"Black_White\" FilesizeAdjustment=\"DS_FILESIZE_SMALL\" "
          "/></StdDbRecTypes></Request></DbAddRec>";
}

inline std::string DeleteFolderAlias(const std::string& name)
{
    return "<DbAddRec CommandID=\"136\">" + kDbAddRecHead + "<StdDbRecTypes><DbFolderRec FolderName=\"" + name
        + "\" /></StdDbRecTypes></Request></DbAddRec>";
}

inline std::string DeleteFolderList(const std::string& first, const std::string& second)
{
    return "<DbAddRec CommandID=\"136\"><Request DbNumRecs=\"2\" DbNumListSpecifiers=\"1\">"
           "<DbListSpecifiers><ArgsPubNetFolder MergeRecType=\"PUBNETFOLDERTYPE\"/></DbListSpecifiers>"
           "<StdDbRecTypes><DbFolderRec FolderName=\"" + first + "\" /><DbFolderRec FolderName=\"" + second
        + "\" /></StdDbRecTypes></Request></DbAddRec>";
}

inline std::string IsFolderPathValid(const std::string& host, const std::string& share, const std::string& user,
                                     const std::string& password)
{
    return "<MfpCommands><IsValidFolderPath CommandID=\"166\"><Request><DbFolderRec DestinationType=\"FOLDER\" "
           "FolderPath=\"\\\\" + host + "\\" + share + "\" UserName=\"" + user + "\" Password=\"" + password
        + "\" NtDomain=\"WORKGROUP\" /></Request></IsValidFolderPath></MfpCommands>";
}

} // namespace payloads
