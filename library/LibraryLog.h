// The library's own stream to the diagnostic log, opened when the library is loaded.
#pragma once

#include "common/log/LogStream.h"

CLogStream& LibraryLog();
