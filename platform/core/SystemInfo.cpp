#include "SystemInfo.h"

#include "RunFolder.h"

#include <climits>
#include <unistd.h>

namespace platform {

namespace {

class LinuxSystemInfo : public ISystemInfo {
public:
    bool GetComputerName(CString& name) override
    {
        char host[HOST_NAME_MAX + 1] = {};
        if (gethostname(host, sizeof host - 1) != 0 || host[0] == '\0')
            return false;
        name = NetBiosName(CString::FromUtf8(host));
        return true;
    }

    CString GetModuleFolder() override
    {
        char path[PATH_MAX] = {};
        ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
        if (n <= 0)
            return CString(u".");
        std::string exe(path, static_cast<std::size_t>(n));
        return CString::FromUtf8(exe.substr(0, exe.rfind('/')));
    }
};

} // namespace

CString ISystemInfo::GetRunFolder()
{
    return RunFolder();
}

ISystemInfo& ISystemInfo::Default()
{
    static LinuxSystemInfo instance;
    return instance;
}

CString NetBiosName(const CString& hostName)
{
    CString name = hostName;
    int dot = name.Find(u'.');
    if (dot >= 0)
        name = name.Left(dot);
    name = name.Left(15);
    name.MakeUpper();
    return name;
}

} // namespace platform
