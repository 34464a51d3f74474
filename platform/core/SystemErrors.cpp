#include "SystemErrors.h"

#include "platform/fs/WinErrors.h"

namespace platform {

namespace {

struct ErrorTextRow {
    int error;
    const char16_t* text;
};

constexpr ErrorTextRow kTexts[] = {
    {kErrorSuccess, u"The operation completed successfully."},
    {kErrorFileNotFound, u"The system cannot find the file specified."},
    {kErrorPathNotFound, u"The system cannot find the path specified."},
    {kErrorAccessDenied, u"Access is denied."},
    {kErrorNotEnoughMemory, u"Not enough memory resources are available to process this command."},
    {kErrorGenFailure, u"A device attached to the system is not functioning."},
    {kErrorNotSupported, u"The request is not supported."},
    {kErrorInvalidParameter, u"The parameter is incorrect."},
    {kErrorInsufficientBuffer, u"The data area passed to a system call is too small."},
    {kErrorModNotFound, u"The specified module could not be found."},
    {kErrorProcNotFound, u"The specified procedure could not be found."},
    {kErrorNoToken, u"An attempt was made to reference a token that does not exist."},
    {kErrorNoLogonServers, u"There are currently no logon servers available to service the logon request."},
    {kErrorNoSuchUser, u"The specified account does not exist."},
    {kErrorLogonFailure, u"The user name or password is incorrect."},
    {kErrorNoneMapped, u"No mapping between account names and security IDs was done."},
};

} // namespace

CString SystemErrorText(int error)
{
    for (const ErrorTextRow& row : kTexts)
        if (row.error == error)
            return row.text;
    return u"Unknown error " + IntToCString(error) + u".";
}

} // namespace platform
