#include "AcceptedExchange.h"

#include "library/LibraryLog.h"

int ExecuteAccepted(CDSMP_Command& command, const CString& ipAddress, const CString& caller)
{
    if (!command.ExecuteCommand(ipAddress))
        return 0;
    if (command.HttpStatusIsSuccess())
        return 1;
    LibraryLog().Line(u"ERROR- " + caller + u": " + command.csCommandName + u" returned HTTP status "
                      + IntToCString(command.nHttpStatus));
    return 0;
}
