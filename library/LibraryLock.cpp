#include "LibraryLock.h"

std::recursive_mutex& LibraryMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}
