#include "SambaPort.h"

#include "RunProgram.h"
#include "SambaConfig.h"

#include "platform/core/Services.h"

#include <charconv>
#include <string>

namespace platform {

int SambaServerPort()
{
    std::vector<std::string> arguments{kTestparmProgram, "-s", "--parameter-name=smb ports"};
    if (std::string config = SambaConfigPath(); !config.empty())
        arguments.push_back(config);
    ProgramResult run = Use<IProgramRunner>().Run(arguments, {}, kSambaToolTimeout);
    if (run.exitCode != 0)
        return kDefaultSmbPort;
    // testparm writes the value alone ("445 139"); its complaints about the file go to the same
    // stream before it, each on a line of its own: the value is the last line.
    std::string value = run.output;
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r'))
        value.pop_back();
    value = value.substr(value.find_last_of('\n') + 1);
    std::size_t start = value.find_first_not_of(" \t,");
    if (start == std::string::npos)
        return kDefaultSmbPort;
    int port = 0;
    auto [end, error] = std::from_chars(value.data() + start, value.data() + value.size(), port);
    bool wholeNumber = end == value.data() + value.size() || *end == ' ' || *end == '\t' || *end == ',';
    if (error != std::errc() || !wholeNumber || port <= 0 || port > 65535)
        return kDefaultSmbPort;
    return port;
}

} // namespace platform
