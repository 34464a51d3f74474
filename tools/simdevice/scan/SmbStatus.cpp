#include "tools/simdevice/scan/SmbStatus.h"

#include <cerrno>

namespace simdevice {

namespace {

struct StatusRow {
    SmbStep step;
    int error;
    const char* status;
};

// SmbStatus.h tells which rows were measured.
constexpr StatusRow kStatusRows[] = {
    {SmbStep::Session, EACCES, "NT_STATUS_LOGON_FAILURE"},
    {SmbStep::Session, EPERM, "NT_STATUS_LOGON_FAILURE"},
    {SmbStep::Session, ECONNREFUSED, "NT_STATUS_CONNECTION_REFUSED"},
    {SmbStep::Session, ETIMEDOUT, "NT_STATUS_IO_TIMEOUT"},
    {SmbStep::Session, EHOSTUNREACH, "NT_STATUS_HOST_UNREACHABLE"},
    {SmbStep::Session, ENETUNREACH, "NT_STATUS_NETWORK_UNREACHABLE"},
    {SmbStep::Session, ECONNRESET, "NT_STATUS_CONNECTION_RESET"},
    {SmbStep::Share, ENOENT, "NT_STATUS_BAD_NETWORK_NAME"},
    {SmbStep::Share, ENODEV, "NT_STATUS_BAD_NETWORK_NAME"},
    {SmbStep::Share, EACCES, "NT_STATUS_ACCESS_DENIED"},
    {SmbStep::Share, EPERM, "NT_STATUS_ACCESS_DENIED"},
    {SmbStep::Folder, ENOENT, "NT_STATUS_OBJECT_PATH_NOT_FOUND"},
    {SmbStep::Folder, EACCES, "NT_STATUS_ACCESS_DENIED"},
    {SmbStep::Folder, EPERM, "NT_STATUS_ACCESS_DENIED"},
    {SmbStep::Folder, ENOTDIR, "NT_STATUS_NOT_A_DIRECTORY"},
    {SmbStep::Create, EACCES, "NT_STATUS_ACCESS_DENIED"},
    {SmbStep::Create, EPERM, "NT_STATUS_ACCESS_DENIED"},
    {SmbStep::Create, ENOENT, "NT_STATUS_OBJECT_PATH_NOT_FOUND"},
    {SmbStep::Create, EEXIST, "NT_STATUS_OBJECT_NAME_COLLISION"},
    {SmbStep::Create, ENOSPC, "NT_STATUS_DISK_FULL"},
    {SmbStep::Write, ENOSPC, "NT_STATUS_DISK_FULL"},
    {SmbStep::Write, EACCES, "NT_STATUS_ACCESS_DENIED"},
    {SmbStep::Write, ETIMEDOUT, "NT_STATUS_IO_TIMEOUT"},
};

} // namespace

std::string SmbStatusOf(SmbStep step, int error)
{
    for (const StatusRow& row : kStatusRows)
        if (row.step == step && row.error == error)
            return row.status;
    return kStatusUnsuccessful;
}

} // namespace simdevice
