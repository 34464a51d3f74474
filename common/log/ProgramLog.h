// The calling program's own stream to the diagnostic log.
//
// The programs' shared code (data file, message boxes) writes here. Each program opens it at
// start-up (ProgramLog().Open(kLogFilePath)); until then, and if it cannot be opened, writes
// are dropped. The library keeps a stream of its own and does not use this one.
#pragma once

#include "LogStream.h"

CLogStream& ProgramLog();
