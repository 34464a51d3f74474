// The TCP port on which this computer's Samba server takes SMB connections.
#pragma once

namespace platform {

inline constexpr int kDefaultSmbPort = 445;

// The first port of "smb ports" in the Samba configuration the platform uses (SambaConfig.h),
// as testparm reads it; kDefaultSmbPort when testparm fails or names no valid port.
int SambaServerPort();

} // namespace platform
