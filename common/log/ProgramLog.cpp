#include "ProgramLog.h"

CLogStream& ProgramLog()
{
    static CLogStream stream;
    return stream;
}
