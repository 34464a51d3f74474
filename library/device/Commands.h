// The device's command catalogue: one class per request. Each constructor copies its arguments
// and builds the payload at once, so ExecuteCommand can follow directly.
//
// Every value inserted into a payload is XML-escaped (EscapeXmlValue): a name or password holding
// a quotation mark, "<" or "&" can neither corrupt the request nor add attributes to it.
#pragma once

#include "CDSMP_Command.h"
#include "FolderRecord.h"
#include "platform/core/CStringList.h"

// Switches the device's send-to-folder features on.
class CEnableSendToFolder final : public CInformationMessage {
public:
    CEnableSendToFolder();
    int CreatePayload() override;
};

// Switches the device's send-to-folder features off.
class CDisableSendToFolder final : public CInformationMessage {
public:
    CDisableSendToFolder();
    int CreatePayload() override;
};

// Adds one folder entry to the device's folder database.
class CCreateFolderAlias final : public CInformationMessage {
public:
    explicit CCreateFolderAlias(FolderRecord record);
    int CreatePayload() override;

    FolderRecord folderRecord;
    CString csOptions;
};

// Deletes one folder entry by name.
class CDeleteFolderAlias final : public CInformationMessage {
public:
    explicit CDeleteFolderAlias(CString folderName);
    int CreatePayload() override;

    CString csFolderName;
};

// Deletes several folder entries in one request.
class CDeleteFolderList final : public CInformationMessage {
public:
    explicit CDeleteFolderList(const CStringList& names);
    int CreatePayload() override;

    CStringList folderNames;
};

// Asks the device whether it can reach the folder with the stored credentials.
class CIsFolderPathValid final : public CInformationMessage {
public:
    explicit CIsFolderPathValid(FolderRecord record);
    // Refuses (0, payload left as it was) for a record without credentials.
    int CreatePayload() override;

    FolderRecord folderRecord;
};

// Reads csNumRecs folder records.
class CGetPrinterFolderNames final : public CInformationMessage {
public:
    explicit CGetPrinterFolderNames(CString numRecs);
    int CreatePayload() override;

    CString csNumRecs;
};

// Asks how many folder records the device holds.
class CGetNumberOfFolders final : public CInformationMessage {
public:
    CGetNumberOfFolders();
    int CreatePayload() override;
};

// Reads the device record (licensed features).
class CGetMfpRecord final : public CInformationMessage {
public:
    CGetMfpRecord();
    int CreatePayload() override;
};

// Asks whether the device grants access to the command protocol.
class CIsValidMfp final : public CInformationMessage {
public:
    CIsValidMfp();
    int CreatePayload() override;
};
