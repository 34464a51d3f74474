// tarrowctl: the scan-folder set-up from the command line, for scripts and unattended use.
#include "ctl/Commands.h"

int main(int argc, char** argv)
{
    return RunTarrowctl({argv + 1, argv + argc});
}
