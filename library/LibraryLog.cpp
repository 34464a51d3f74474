#include "LibraryLog.h"

CLogStream& LibraryLog()
{
    static CLogStream stream;
    return stream;
}
