// The library's public face: the exported functions and the enumerations that both programs
// compare against by number.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/CStringList.h"

#include <vector>

#define QUILLET_API __attribute__((visibility("default")))

typedef int BOOL;

// Fixed underlying types: a value outside an enumeration's table is passed through, not rejected.
enum Brede_ErrorCode : int {
    BREDE_NO_ERROR = 0,
    BREDE_FAILED = 1,
};

enum Brede_FileFormat : int {
    BREDE_FORMAT_PDF = 1,
    BREDE_FORMAT_TIFF = 2,
    BREDE_FORMAT_MTIFF = 3,
    BREDE_FORMAT_JPEG = 4,
};

enum Brede_ImageResolution : int {
    BREDE_RESOLUTION_600 = 1,
    BREDE_RESOLUTION_400 = 2,
    BREDE_RESOLUTION_300 = 3,
    BREDE_RESOLUTION_200 = 4,
    BREDE_RESOLUTION_150 = 5,
    BREDE_RESOLUTION_75 = 6,
};

enum Brede_ColorSetting : int {
    BREDE_COLOR_BLACK_WHITE = 1,
    BREDE_COLOR_COLOR = 2,
};

enum Brede_FileSize : int {
    BREDE_FILESIZE_SMALL = 1,
    BREDE_FILESIZE_STANDARD = 2,
    BREDE_FILESIZE_LARGE = 3,
};

enum Brede_SupportedFeatures : int {
    DEVICE_NOT_SUPPORTED = 0,
    DEVICE_SUPPORTED = 1,
    UNMANAGED_SCAN_TO_DESKTOP = 2,
    MANAGED_SCAN_TO_NETWORK = 3,
    UNMANAGED_NO_FW_SUPPORT = 4,
    MANAGED_BLOCKED_BY_EWS = 5,
    EWS_PASSWORD_PROTECTED = 6,
};

enum Brede_PrinterFolderListType : int {
    BREDE_LIST_FOLDER_NAMES = 0,
    BREDE_LIST_FOLDER_PATHS = 1,
    BREDE_LIST_USER_NAMES = 2,
    // The records' scan options as the device words them ("PDF", "150x150", "Color",
    // "DS_FILESIZE_STANDARD"); empty for a record that does not list one.
    BREDE_LIST_FILE_FORMATS = 3,
    BREDE_LIST_RESOLUTIONS = 4,
    BREDE_LIST_COLOR_SETTINGS = 5,
    BREDE_LIST_FILE_SIZES = 6,
};

// One step of taking a set-up off this computer (RemoveComputerSide, UndoComputerSetup).
enum Brede_ComputerStepKind : int {
    BREDE_STEP_LINK = 0,          // the desktop link
    BREDE_STEP_SHARE = 1,         // the share
    BREDE_STEP_PARENT_RIGHT = 2,  // the account's search right on a folder above
    BREDE_STEP_FOLDER_RIGHTS = 3, // the account's access and default entries on the folder
    BREDE_STEP_FOLDER = 4,        // the folder itself
};

enum Brede_ComputerStepOutcome : int {
    BREDE_STEP_REMOVED = 0, // taken away
    BREDE_STEP_KEPT = 1,    // kept on purpose: the folder with its scans, a right another share needs
    BREDE_STEP_LEFT = 2,    // left as it is: not ours, or not known to be ours
    BREDE_STEP_FAILED = 3,  // could not be taken away
};

struct Brede_ComputerStep {
    Brede_ComputerStepKind kind;
    Brede_ComputerStepOutcome outcome;
    CString subject; // the share's name, or the path of the folder or link
    CString detail;  // why it was kept, left or failed, in plain words; empty when removed
};

// Device capability: queryDevice 0 decides from the model name alone, without any traffic.
QUILLET_API Brede_SupportedFeatures GetSupportedFeatures(CString modelName, CString ipAddress, int queryDevice);

// Proposes a folder name free on this computer and on the device: computer name, "_", model code,
// then "_1", "_2" ... as needed. 0 with an empty name when none can be found.
QUILLET_API BOOL GenerateUniqueFolderName(CString ipAddress, CString baseDirectory, CString modelName,
                                          CString& uniqueName);

// 1 when the name is free as directory under baseDirectory, share, desktop shortcut and device folder.
QUILLET_API BOOL IsFolderNameUnique(CString ipAddress, CString baseDirectory, CString folderName);

// Creates the folder baseDirectory\folderName, gives userName (empty: the user running the
// process) full access, shares it for that account alone and, if asked, puts a shortcut on the desktop.
QUILLET_API Brede_ErrorCode ConfigureComputer(CString baseDirectory, CString folderName, int createShortcut,
                                              CString userName);

// 1 when an earlier set-up of folderName in baseDirectory for userName was stopped before the
// device took its record (the program was killed): the next ConfigureComputer of the same
// three takes over what it made instead of refusing the name.
QUILLET_API BOOL IsSetUpUnfinished(CString baseDirectory, CString folderName, CString userName);

// Undoes everything that ConfigureComputer made for folderName (share, link, rights on the folder
// and on the folders above, the folder itself while it is empty), when the device step after it
// failed. Each step is logged. A set-up that the device took is never undone here.
QUILLET_API Brede_ErrorCode UndoComputerSetup(CString folderName);

// Takes the set-up of a device record's network path (\\HOST\SHARE) off this computer: the
// share, the account's entries on the folder, the search rights the set-up gave the folders
// above (those no other share of the user needs), the desktop link. The folder and the scans in
// it are kept. A path of another computer is left (one step, left). A share of another user is
// never touched: BREDE_FAILED with one step that says whose it is. A share set up without a
// record is removed as far as it can be told, and what cannot be told is reported.
QUILLET_API Brede_ErrorCode RemoveComputerSide(CString networkPath, std::vector<Brede_ComputerStep>& steps);

// Registers a shared folder on the device; the device asks for credentials at each scan.
QUILLET_API Brede_ErrorCode ConfigureDevice(CString MfpIPAddress, CString ShareHostName, CString ShareName,
                                            Brede_FileFormat fileFormat, Brede_ImageResolution resolution,
                                            Brede_ColorSetting colorSetting, Brede_FileSize fileSize);

// Registers a shared folder on the device together with the account the device writes with.
QUILLET_API Brede_ErrorCode ConfigureDevice(CString UserName, CString Password, CString NtDomain,
                                            CString MfpIPAddress, CString ShareHostName, CString ShareName,
                                            Brede_FileFormat fileFormat, Brede_ImageResolution resolution,
                                            Brede_ColorSetting colorSetting, Brede_FileSize fileSize);

// Asks the device whether it can reach \\ShareHostName\ShareName with the account: 1 when it
// accepts the folder path and credentials, 0 when not or when it cannot be asked (logged).
QUILLET_API BOOL IsFolderPathValidOnDevice(CString MfpIPAddress, CString UserName, CString Password,
                                           CString NtDomain, CString ShareHostName, CString ShareName);

QUILLET_API Brede_ErrorCode DeleteFolderAlias(CString ipAddress, CString folderName);
QUILLET_API Brede_ErrorCode DeleteFolderList(CString ipAddress, CStringList& folderNames);
// As above; deletedRecords is the number of records the device says it deleted (DeletedRecords of
// its reply), or -1 when its reply does not say. A count below the number of names is a failure.
QUILLET_API Brede_ErrorCode DeleteFolderList(CString ipAddress, CStringList& folderNames, int& deletedRecords);

// Reads the device's folders anew and appends every name followed by "," to names.
QUILLET_API BOOL GetFolderNamesOnDevice(CString ipAddress, CString& names);

// Reads the device's folders anew into the lists of GetPrinterFolderList. 1 when the whole list
// was read (a device without folders leaves the lists empty, or null while none was ever read),
// 0 when an exchange failed or a record had no name.
QUILLET_API BOOL ReadPrinterFolders(CString ipAddress);

// One of the library's folder lists (owned by the library), or null while none was ever read.
QUILLET_API CStringList* GetPrinterFolderList(Brede_PrinterFolderListType listType);

// Why the last ConfigureComputer or IsFolderNameUnique failed, in plain words: what the
// system's tool said and, where the cause is known, the fix in one line ("Fix: ..."). Empty when
// that call succeeded or when the log holds all there is to say.
QUILLET_API CString GetFailureDetail();

// Diagnostic entry: runs the action named by selector and returns text afterwards.
QUILLET_API CString TestFunction(int selector, CString ipAddress, CString& text);

class QUILLET_API CQuillet_Library {
public:
    CQuillet_Library& operator=(const CQuillet_Library&);
};
