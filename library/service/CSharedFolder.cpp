#include "CSharedFolder.h"

#include "library/LibraryLog.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"

// Built when the library is loaded, before the program's own start-up.
CSharedFolder cSharedFolder;

namespace {

BOOL ReadComputerName(CString& name)
{
    platform::StartSockets();
    if (platform::Use<platform::ISystemInfo>().GetComputerName(name))
        return 1;
    name.Empty();
    LibraryLog().Line(u"CSharedFolder::GetComputerName() failed");
    return 0;
}

} // namespace

CSharedFolder::CSharedFolder() : m_csBaseDirectory(u"C:\\Program Files\\Norvik\\Tarrow_Scans\\")
{
    // Each process that loads the library starts the log anew.
    DeleteLogFile(kLogFilePath);
    LibraryLog().Open(kLogFilePath);
    GetComputerName();
}

void CSharedFolder::GetComputerName()
{
    ReadComputerName(m_csComputerName);
}

BOOL CSharedFolder::MakeHostName(CString& hostName)
{
    return ReadComputerName(hostName);
}
