// Check 1: the Samba server and its share tool are installed where the platform runs them.
#include "CheckText.h"
#include "Checks.h"

#include "platform/core/Services.h"
#include "platform/core/RunProgram.h"
#include "platform/shares/SambaConfig.h"

namespace selfcheck {

namespace {

constexpr const char* kSmbdProgram = "/usr/sbin/smbd";
constexpr int kVersionTimeout = 5000; // milliseconds

// A program counts as installed when it starts and tells its version.
bool Runs(const char* program)
{
    platform::ProgramResult run = platform::Use<platform::IProgramRunner>().Run({program, "--version"}, {}, kVersionTimeout);
    return run.started && run.exitCode == 0;
}

} // namespace

CheckResult CheckSambaInstalled(const CheckInput&)
{
    std::string missing;
    for (const char* program : {kSmbdProgram, platform::kNetProgram})
        if (!Runs(program))
            missing += (missing.empty() ? "" : " and ") + std::string(program);
    if (!missing.empty())
        return Problem(missing + " cannot be run: Samba is not installed", "apt-get install samba");
    return Ok(std::string(kSmbdProgram) + " and " + platform::kNetProgram + " are installed");
}

} // namespace selfcheck
