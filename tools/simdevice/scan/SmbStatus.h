// The status a device's panel shows for a failed scan, in the SMB protocol's own words
// ("NT_STATUS_LOGON_FAILURE"). libsmbclient hands back only an errno, and the same errno stands
// for different failures at different steps (EACCES is a wrong password while the session is
// set up, a refused share or folder afterwards), so the status follows from the step and the
// errno together. Measured against Samba 4.17's smbd:
//
//   step     errno          what happened                                  status
//   session  EACCES         wrong password, unknown account, empty password NT_STATUS_LOGON_FAILURE
//   session  ECONNREFUSED   nothing listens on the SMB port                NT_STATUS_CONNECTION_REFUSED
//   share    ENOENT         no share of that name                          NT_STATUS_BAD_NETWORK_NAME
//   share    EACCES         the share's access list leaves the account out NT_STATUS_ACCESS_DENIED
//   folder   ENOENT         a folder below the share is missing            NT_STATUS_OBJECT_PATH_NOT_FOUND
//   create   EACCES         the folder's permissions forbid writing        NT_STATUS_ACCESS_DENIED
//   create   EEXIST         the name is taken (the next number is tried)   NT_STATUS_OBJECT_NAME_COLLISION
//
// Limits: libsmbclient folds many server statuses into one errno (EACCES also stands for an
// expired or disabled account, ENOENT for a share name the server cannot parse), so the status
// names the most likely cause, not necessarily the server's own word. Rows for time-outs, a full
// disk and unreachable hosts follow the errno's meaning; they were not provoked. Any errno
// without a row is NT_STATUS_UNSUCCESSFUL.
#pragma once

#include <string>

namespace simdevice {

enum class SmbStep {
    Session,  // connecting and signing in (listing the server's shares)
    Share,    // opening the share
    Folder,   // opening the folder below the share that the path names
    Create,   // creating the new file
    Write,    // writing and closing it
};

std::string SmbStatusOf(SmbStep step, int error);

inline constexpr const char* kStatusUnsuccessful = "NT_STATUS_UNSUCCESSFUL";

} // namespace simdevice
