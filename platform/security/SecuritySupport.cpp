#include "SecuritySupport.h"

#include "platform/core/LastError.h"
#include "platform/core/SystemErrors.h"

namespace platform {

namespace {

// Linux has no security-support library to load.
class NoSecuritySupport : public ISecuritySupport {
public:
    std::unique_ptr<ILoadedLibrary> LoadLibrary(const CString& /*name*/) override
    {
        SetLastError(kErrorModNotFound);
        return nullptr;
    }
};

} // namespace

ISecuritySupport& ISecuritySupport::Default()
{
    static NoSecuritySupport instance;
    return instance;
}

} // namespace platform
