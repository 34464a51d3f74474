// tarrowctl: the scan-folder set-up from the command line, for scripts and unattended use.
#include "ctl/Commands.h"
#include "platform/core/RunFolder.h"

int main(int argc, char** argv)
{
    const int exitCode = RunTarrowctl({argv + 1, argv + argc});
    platform::RemoveRunFolder();
    return exitCode;
}
