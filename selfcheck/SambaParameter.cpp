#include "SambaParameter.h"

#include "platform/core/Services.h"
#include "platform/core/RunProgram.h"
#include "platform/shares/SambaConfig.h"

#include <vector>

namespace selfcheck {

std::string ParameterValueOf(const std::string& testparmOutput)
{
    std::string value = testparmOutput;
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r'))
        value.pop_back();
    return value.substr(value.find_last_of('\n') + 1);
}

std::optional<std::string> ReadSambaParameter(const std::string& parameter)
{
    std::vector<std::string> arguments{platform::kTestparmProgram, "-s", "--parameter-name=" + parameter};
    if (std::string config = platform::SambaConfigPath(); !config.empty())
        arguments.push_back(config);
    platform::ProgramResult run =
        platform::Use<platform::IProgramRunner>().Run(arguments, {}, platform::kSambaToolTimeout);
    if (run.exitCode != 0)
        return std::nullopt;
    return ParameterValueOf(run.output);
}

} // namespace selfcheck
