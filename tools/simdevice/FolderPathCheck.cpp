#include "tools/simdevice/FolderPathCheck.h"

#include <algorithm>

namespace simdevice {

std::string ShareOf(const std::string& folderPath)
{
    const auto slash = folderPath.rfind('\\');
    return slash == std::string::npos ? folderPath : folderPath.substr(slash + 1);
}

bool AcceptsFolderPath(const Folder& folder, const std::vector<std::string>& knownShares)
{
    const std::string share = ShareOf(folder.path);
    if (folder.userName.empty() || folder.password.empty() || share.empty())
        return false;
    return knownShares.empty()
        || std::find(knownShares.begin(), knownShares.end(), share) != knownShares.end();
}

} // namespace simdevice
