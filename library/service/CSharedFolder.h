// All state of the shared-folder service; the library holds one instance, cSharedFolder.
//
// The operations are spread over files by concern: construction and host name (CSharedFolder.cpp),
// device capability (Capability.cpp), device registration (Registration.cpp), the device's
// folder list and deletion (FolderList.cpp), the diagnostic entry (Diagnostics.cpp), the folder
// and share on this computer (ComputerSetup.cpp, Shortcut.cpp) and folder-name uniqueness
// (FolderNameUniqueness.cpp).
#pragma once

#include "library/Quillet_Library.h"
#include "library/device/FolderRecord.h"
#include "library/service/SetupRecord.h"

enum class UndoMode { FailedSetUp, Removal };

class CSharedFolder {
public:
    CSharedFolder();

    // Computer name
    void GetComputerName();
    BOOL MakeHostName(CString& hostName);

    // Device capability
    Brede_SupportedFeatures GetSupportedFeatures(CString modelName, CString ipAddress, int queryDevice);
    Brede_SupportedFeatures CheckManagedModel(const CString& modelName, const CString& ipAddress, int queryDevice);
    Brede_SupportedFeatures CheckUnmanagedModel(const CString& modelName, const CString& ipAddress, int queryDevice);
    Brede_SupportedFeatures IsValidMfp(CString ipAddress);
    Brede_SupportedFeatures IsScanFeatureAvailable(CString ipAddress);

    // Device registration
    Brede_ErrorCode ConfigureDevice(CString MfpIPAddress, CString ShareHostName, CString ShareName,
                                    Brede_FileFormat fileFormat, Brede_ImageResolution resolution,
                                    Brede_ColorSetting colorSetting, Brede_FileSize fileSize);
    Brede_ErrorCode ConfigureDevice(CString UserName, CString Password, CString NtDomain,
                                    CString MfpIPAddress, CString ShareHostName, CString ShareName,
                                    Brede_FileFormat fileFormat, Brede_ImageResolution resolution,
                                    Brede_ColorSetting colorSetting, Brede_FileSize fileSize);
    int SetupSendToFolder(CString ipAddress, FolderRecord record);
    int IsFolderPathValid(CString ipAddress, FolderRecord record);

    // The device's folder list and deletion
    int GetPrinterFolderNames(CString ipAddress);
    BOOL GetFolderNamesOnDevice(CString ipAddress, CString& names);
    BOOL ReadPrinterFolders(CString ipAddress);
    void ClearFolderLists();
    Brede_ErrorCode DeleteFolderAlias(CString ipAddress, CString folderName);
    Brede_ErrorCode DeleteFolderList(CString ipAddress, const CStringList& folderNames);
    // deletedRecords: the count the device's reply gives (DeletedRecords), -1 when it gives none.
    Brede_ErrorCode DeleteFolderList(CString ipAddress, const CStringList& folderNames, int& deletedRecords);
    int DeleteAllFolders(CString ipAddress);
    int DisableSendToFolder(CString ipAddress);
    int GetNumberOfFolders(CString ipAddress);
    CStringList* GetPrinterFolderList(Brede_PrinterFolderListType listType);

    // Diagnostic entry
    CString TestFunction(int selector, CString ipAddress, CString& text);

    // The folder, its access entry, the share and its access list on this computer
    Brede_ErrorCode ConfigureComputer(CString baseDirectory, CString folderName, int createShortcut,
                                      CString userName);
    int CreateSharedDirectory(CString baseDirectory, CString folderName, CString userName);
    // 0 when Samba takes no usershare of this user at all (not allowed, or usershares off).
    int CanShare(const CString& userName);
    int SetDirPermissions(CString userName);
    int ShareWindowsFolder(CString userName);
    // The SID that the share admits the account by; 0 (logged) when the account is not found.
    int ShareSid(CString userName, CString& sid);
    // Starts m_setup for the folder and share just named: 1 when it takes over an unfinished
    // set-up of the same folder and account, 0 for a new one, -1 (logged) when the share's name
    // belongs to another set-up of this account.
    int BeginSetupRecord(const CString& userName);
    // Undoes the set-up in progress, which failed.
    void FailSetup();
    // Notes the set-up in progress (m_setup) in its record before the next change; 0 (logged,
    // with the failure's detail) when it cannot be written.
    int NoteSetup();
    // What a set-up made, taken off this computer (ComputerUndo.cpp): in reverse order of the
    // making, each step logged and reported; the record goes when nothing failed.
    void UndoSetup(const SetupRecord& record, UndoMode mode, std::vector<Brede_ComputerStep>& steps);
    BOOL IsSetUpUnfinished(CString baseDirectory, CString folderName, CString userName);
    Brede_ErrorCode UndoComputerSetup(CString folderName);
    Brede_ErrorCode RemoveComputerSide(CString networkPath, std::vector<Brede_ComputerStep>& steps);
    // The device took the share's record: its set-up is finished.
    void MarkSetupRegistered(CString shareName);
    // Whether a folder name is free as directory, share, desktop shortcut and device folder
    BOOL GenerateUniqueFolderName(CString ipAddress, CString baseDirectory, CString modelName,
                                  CString& uniqueName);
    BOOL IsFolderNameUnique(CString ipAddress, CString baseDirectory, CString folderName);
    int IsShareNameUnique(CString name);
    int IsShortcutNameUnique(CString name);

    CStringList m_FolderNameList;
    CStringList m_FolderPathList;
    CStringList m_FolderUserNameList;
    // The scan options of each record, in the order of BREDE_LIST_FILE_FORMATS onwards.
    CStringList m_ScanOptionLists[4];
    CString m_csComputerName;
    CString m_csFolderName;
    CString m_csShareName;
    CString m_csBaseDirectory;
    CString m_csFullPath;
    CString m_csLastUniqueName;
    // The record of the computer-side set-up in progress.
    SetupRecord m_setup;
    // Why the last ConfigureComputer or IsFolderNameUnique said no, in plain words with the fix
    // (FailureDetail.h); empty when it said yes or the log holds all there is to say.
    CString m_csFailureDetail;
    int m_bListInvalid = 1;
    int m_bListLoaded = 0;
};

extern CSharedFolder cSharedFolder;

// The desktop shortcut's file for a folder name: a freedesktop link file, "<name>.desktop",
// where Windows would write "<name>.lnk" (platform/shell/Shell.h).
CString GetShortcutPath(CString folderName);
// The files of a shortcut as CreateShortcut writes it: the target's full path (empty when it
// cannot be expanded) and the link's path, cut to the length the system saves.
struct ShortcutFiles {
    CString target;
    CString link;
};
ShortcutFiles ShortcutFilesFor(const CString& targetPath, const CString& shortcutPath);
// Writes the shortcut; returns 0 or the failure's HRESULT.
int CreateShortcut(CString targetPath, CString description, CString shortcutPath);
// 0 nothing at path, 1 a file, 2 a directory, -1 another error.
int GetPathType(CString path);
// Whether a (trimmed) folder name can name a scan folder: one path component once its trailing
// blanks and dots are dropped, a share name that Samba takes and not one that Samba keeps for itself.
bool IsValidFolderName(const CString& name);

// Reduces a full model name ("<maker> Kelvane <code> MFP") to its model code in place.
int ConvertToBasePrinterName(CString& name);
