// The in-memory host as the process's default page host (test programs link this library).
#include "MemoryPageHost.h"

namespace platform {

IPageHost& IPageHost::Default()
{
    static MemoryPageHost host;
    return host;
}

} // namespace platform
