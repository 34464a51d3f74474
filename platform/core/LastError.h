// The calling thread's last error: the Windows error number that the platform's last failed call
// left, as the system's callers read it after a failure (GetLastError). A call that succeeds
// need not clear it.
#pragma once

namespace platform {

// The number that the thread's last failed call set; 0 (success) before any.
int GetLastError();
void SetLastError(int error);

} // namespace platform
