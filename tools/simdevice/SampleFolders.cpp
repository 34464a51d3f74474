#include "tools/simdevice/SampleFolders.h"

#include <string>

namespace simdevice {

std::vector<Folder> SampleFolders(int count)
{
    std::vector<Folder> folders;
    for (int i = 1; i <= count; ++i) {
        Folder folder;
        folder.name = "Scans" + std::to_string(i);
        folder.path = "\\\\WORKSTATION" + std::to_string(i) + "\\" + folder.name;
        if (i % 2 == 1) {
            folder.userName = "scanner" + std::to_string(i);
            folder.password = "secret" + std::to_string(i);
            folder.domain = "WORKGROUP";
            folder.authType = "DEFAULT_USER_CREDENTIALS";
        } else {
            folder.authType = "MFP_USER_CREDENTIALS";
        }
        folder.fileFormat = "PDF";
        folder.resolution = "300x300";
        folder.color = "Color";
        folder.fileSize = "DS_FILESIZE_STANDARD";
        folders.push_back(folder);
    }
    return folders;
}

} // namespace simdevice
