#include "SystemVersion.h"

namespace platform {

namespace {

constexpr OsVersion kLinuxVersion{6, 1, 7601, kPlatformWin32Nt};

class LinuxSystemVersion : public ISystemVersion {
public:
    bool GetVersion(OsVersion& version) override
    {
        version = kLinuxVersion;
        return true;
    }
};

} // namespace

ISystemVersion& ISystemVersion::Default()
{
    static LinuxSystemVersion instance;
    return instance;
}

} // namespace platform
