// tarrowctl doctor [DEVICE]
#include "ctl/Commands.h"
#include "ctl/Console.h"
#include "ctl/ExitCodes.h"

int RunDoctor(const Arguments&)
{
    Error("doctor is not built yet");
    return kExitFailed;
}
