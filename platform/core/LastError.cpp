#include "LastError.h"

namespace platform {

namespace {

thread_local int t_lastError = 0;

} // namespace

int GetLastError()
{
    return t_lastError;
}

void SetLastError(int error)
{
    t_lastError = error;
}

} // namespace platform
