// The one record that the wizard's pages and its worker threads share for the whole run.
// Workers get a pointer to it; no locks: one worker at a time, and a page reads what a worker
// wrote only after the worker's completion message.
#pragma once

#include "library/Quillet_Library.h"
#include "pageframe/PageContext.h"
#include "platform/ui/WindowMessages.h"

#include <memory>
#include <vector>

class CBaseDlg;

// posX, posY, languageCode and moduleFolder come from PageContext.
struct WizardState : PageContext {
    std::shared_ptr<IMessageWindow> windowHandle; // page window that the running worker reports to
    CBaseDlg* activePage = nullptr;         // that page
    int networkExitCode = 0;                // exit code of the last TarrowNetwork run
    int failed = 0;                         // 0 the last set-up step succeeded, 1 it failed
    CString failureDetail;                  // why ConfigureComputer failed (GetFailureDetail) or the data
                                            // file gave no answer (DataFileProblem), or empty
    bool sharingNotAllowed = false;         // ConfigureComputer failed and the running account is not in
                                            // the group that may share folders (ShareFix)
    CString ipText, hostText, macText;      // the Welcome page's address boxes
    CString lastIp, lastHost, lastMac;      // addresses of the last usable TarrowNetwork answer
    CString computerName;
    CString addressKind;                    // "IPAddress", "HostName" or "MAC"
    CString modelName;
    CString deviceIp;
    CString suggestedFolderName;
    CString folderName;
    CString location;                       // parent path of the folder
    CString domain, userName, password;
    CString accessState;                    // "FALSE" reachable, "TRUE" not, or "DataFileError"
    int saveCredentials = 0;                // -1 checked, 0 not (16-bit boolean)
    int createShortcut = 0;                 // -1 checked, 0 not (16-bit boolean)
    int proceed = 0;                        // 1 while the device check allows going on
    int deviceResult = 0;
    int computerResult = 0;
    int feature = 0;                        // 2 or 3, from GetSupportedFeatures
    int resolution = 0, colorSetting = 0, fileSize = 0, fileFormat = 0;
    CString shortcutChecked;                // "checked" or empty
    CString credentialsChecked;             // "checked" or empty
    std::vector<Brede_ComputerStep> removedHere; // what the last removal took off this computer

    // Selected indexes of the scan-option selects: kept for the run, so a later visit of the
    // page shows the earlier choice.
    int scanTypeIndex = 1;
    int resolutionIndex = 4;
    int documentTypeIndex = 0;
    int qualityIndex = 1;
};
