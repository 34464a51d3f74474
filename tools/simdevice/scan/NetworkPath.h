// The network path of a folder record, "\\HOST\SHARE" or "\\HOST\SHARE\FOLDER\...", and the
// smb:// addresses libsmbclient takes for it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace simdevice {

struct NetworkPath {
    std::string host;
    std::string share;
    std::vector<std::string> folders;  // below the share, outermost first
};

// Splits a path that starts with two backslashes and names at least a host and a share; a
// trailing backslash is allowed. Empty parts ("\\HOST\\SHARE") make no path.
std::optional<NetworkPath> ParseNetworkPath(const std::string& path);

// "smb://ADDRESS/" : the server itself, whose share listing sets up the session.
std::string ServerUrl(const std::string& address);
// "smb://ADDRESS/SHARE/" : the share alone.
std::string ShareUrl(const std::string& address, const NetworkPath& path);
// "smb://ADDRESS/SHARE/FOLDER.../" : the folder the document goes into.
std::string FolderUrl(const std::string& address, const NetworkPath& path);
// The folder's URL and the file name. Every name is percent-encoded, so that blanks, '%', '#'
// or '?' in a share, folder or file name stay part of that name.
std::string FileUrl(const std::string& address, const NetworkPath& path, const std::string& fileName);

} // namespace simdevice
