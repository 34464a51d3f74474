// The helper as the tests run it: the same run as the installed one, with the Samba configuration
// of the test's private Samba and systemctl and the firewalls taken from a folder of stand-ins
// (TARROW_FAKE_PROGRAMS). Built for the tests only; the installed helper has neither.
#include "fixes/HelperProgram.h"
#include "platform/core/Services.h"
#include "support/FakeProgramFolder.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    const char* fakes = std::getenv("TARROW_FAKE_PROGRAMS");
    const char* config = std::getenv("TARROW_SMB_CONF");
    FakeProgramFolder runner(fakes ? fakes : "");
    platform::ScopedService<platform::IProgramRunner> use(runner);
    return fixes::RunFixHelper(std::vector<std::string>(argv + 1, argv + argc), config ? config : "");
}
