#include "frontend/LogonMethod.h"

#include <climits>

namespace {

struct VersionRow {
    int lowestMajor, highestMajor;
    int lowestMinor, highestMinor;
    LogonMethod method;
};

constexpr VersionRow kVersions[] = {
    {INT_MIN, 4, INT_MIN, INT_MAX, LogonMethod::None},
    {5, 5, 0, 0, LogonMethod::SecuritySupport},
    {5, 5, 1, INT_MAX, LogonMethod::Network},
    {6, 6, INT_MIN, INT_MAX, LogonMethod::Network},
    {7, INT_MAX, 0, 0, LogonMethod::None},
    {7, INT_MAX, 1, INT_MAX, LogonMethod::Network},
};

} // namespace

LogonMethod LogonMethodFor(const platform::OsVersion& version)
{
    if (version.platformId != platform::kPlatformWin32Nt)
        return LogonMethod::None;
    for (const VersionRow& row : kVersions)
        if (version.majorVersion >= row.lowestMajor && version.majorVersion <= row.highestMajor &&
            version.minorVersion >= row.lowestMinor && version.minorVersion <= row.highestMinor)
            return row.method;
    return LogonMethod::None; // a negative minor version of 5 or above 6
}
