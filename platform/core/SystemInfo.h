// Facts about this computer and process.
#pragma once

#include "CString.h"

namespace platform {

class ISystemInfo {
public:
    virtual ~ISystemInfo() = default;
    // NetBIOS form of the host name: up to the first dot, upper case, at most 15 characters.
    virtual bool GetComputerName(CString& name) = 0;
    // Folder of the running executable, without a trailing separator.
    virtual CString GetModuleFolder() = 0;
    // This run's private folder for the data files (platform/core/RunFolder.h); empty when none
    // could be made.
    virtual CString GetRunFolder();

    static constexpr const char* kServiceName = "SystemInfo";
    static ISystemInfo& Default();
};

// The host name reduced to its NetBIOS form.
CString NetBiosName(const CString& hostName);

// Socket layer start-up; nothing to do on Linux.
inline int StartSockets() { return 0; }

} // namespace platform
