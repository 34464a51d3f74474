#include "UsershareFolder.h"

#include "SambaSettings.h"

#include "platform/fs/WinErrors.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>
#include <sys/stat.h>

namespace platform {

namespace {

// One share file: "key=value" lines; "sharename=" keeps the name as it was given (the file
// name is its lower-case form).
ShareSection ReadShareFile(const std::string& folder, const std::string& fileName)
{
    ShareSection share{fileName, "", "", "", -1};
    // Samba keeps a usershare in a file of the user who made it.
    if (struct stat info {}; stat((folder + "/" + fileName).c_str(), &info) == 0)
        share.owner = info.st_uid;
    std::ifstream in(folder + "/" + fileName);
    for (std::string line; std::getline(in, line);) {
        const std::size_t at = line.find('=');
        if (at == std::string::npos)
            continue;
        const std::string key = line.substr(0, at), value = line.substr(at + 1);
        if (key == "sharename" && !value.empty())
            share.name = value;
        else if (key == "path")
            share.path = value;
        else if (key == "comment")
            share.comment = value;
        else if (key == "usershare_acl")
            share.acl = value;
    }
    return share;
}

UsershareListing ReadFolder(const std::string& folder)
{
    UsershareListing listing;
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        listing.error = kErrorAccessDenied;
        listing.refusal = "the usershare folder " + folder + " cannot be opened by this account: " +
                          std::strerror(errno);
        return listing;
    }
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        // Samba's own temporary and lock files start with ":" or ".".
        if (name.empty() || name[0] == '.' || name[0] == ':')
            continue;
        listing.shares.push_back(ReadShareFile(folder, name));
    }
    closedir(dir);
    return listing;
}

long long ChangeTime(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return -1;
    return static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
}

struct KeptListing {
    std::mutex lock;
    std::string folder;
    long long changed = -1;
    std::optional<UsershareListing> listing;
};

KeptListing& Kept()
{
    static KeptListing kept;
    return kept;
}

} // namespace

UsershareListing CurrentUsershares()
{
    const SambaSettings settings = CurrentSambaSettings();
    if (!settings.read)
        return {settings.error, "testparm could not read the Samba configuration", {}};
    if (settings.Global("usershare max shares").value_or("0") == "0")
        return {kErrorNotSupported, "usershares are switched off in the Samba configuration (usershare max shares = 0)",
                {}};
    const std::string folder = settings.Global("usershare path").value_or("");
    KeptListing& kept = Kept();
    std::lock_guard guard(kept.lock);
    // A share added or removed by any user changes the folder's time.
    const long long changed = ChangeTime(folder);
    if (!kept.listing || kept.folder != folder || kept.changed != changed || changed < 0) {
        kept.listing = ReadFolder(folder);
        kept.folder = folder;
        kept.changed = changed;
    }
    return *kept.listing;
}

} // namespace platform
