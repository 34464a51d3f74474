#include "SambaConfig.h"

#include <cstdlib>

namespace platform {

std::string SambaConfigPath()
{
    const char* path = std::getenv(kSambaConfigVariable);
    return path ? path : "";
}

std::vector<std::string> SambaConfigOption(const char* option)
{
    std::string path = SambaConfigPath();
    if (path.empty())
        return {};
    return {option, path};
}

} // namespace platform
