// tarrow-fix-helper: the privileged helper as installed. Its paths are fixed; the environment
// pkexec hands over is not consulted beyond PKEXEC_UID.
#include "fixes/FixPrograms.h"
#include "fixes/HelperProgram.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    const char* caller = std::getenv("PKEXEC_UID");
    std::string uid = caller ? caller : "";
    // Nothing of the caller's environment reaches the programs the fixes run.
    clearenv();
    setenv("PATH", "/usr/sbin:/usr/bin:/sbin:/bin", 1);
    if (!uid.empty())
        setenv("PKEXEC_UID", uid.c_str(), 1);
    return fixes::RunFixHelper(words, fixes::kSystemSambaConfig);
}
