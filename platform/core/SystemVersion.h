// The version of the operating system, as the system's basic version record gives it. Linux
// reports itself as a member of the NT family (6.1), so that callers that choose what to do by
// version take the modern path.
#pragma once

namespace platform {

// Values of OsVersion::platformId.
inline constexpr int kPlatformWin32s = 0;
inline constexpr int kPlatformWin32Windows = 1; // the 95/98/Me family
inline constexpr int kPlatformWin32Nt = 2;      // the NT family

struct OsVersion {
    int majorVersion = 0;
    int minorVersion = 0;
    int buildNumber = 0;
    int platformId = kPlatformWin32s;
};

class ISystemVersion {
public:
    virtual ~ISystemVersion() = default;
    // true with the version; false when the system cannot tell it.
    virtual bool GetVersion(OsVersion& version) = 0;

    static constexpr const char* kServiceName = "SystemVersion";
    static ISystemVersion& Default();
};

} // namespace platform
