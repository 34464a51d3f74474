#include "tools/simdevice/FolderPathCheck.h"

#include "tools/simdevice/scan/FolderTarget.h"
#include "tools/simdevice/scan/SmbFolderClient.h"

namespace simdevice {

std::string CheckFolderPath(const Folder& record, const NameTable& names, int smbPort)
{
    SmbTarget target;
    if (std::string status = FindFolderTarget(record.path, names, smbPort, target); !status.empty())
        return status;
    return OpenFolder(target, SmbAccount(record.userName, record.password, record.domain));
}

} // namespace simdevice
