#include "FixContext.h"

#include "platform/core/Services.h"

namespace fixes {

FixOutcome Done(std::string message)
{
    return {true, true, std::move(message)};
}

FixOutcome Unchanged(std::string message)
{
    return {true, false, std::move(message)};
}

FixOutcome Refused(std::string message)
{
    return {false, false, std::move(message)};
}

void Log(const FixContext& context, const std::string& line)
{
    if (context.log)
        context.log(line);
}

platform::ProgramResult RunStep(const FixContext& context, const std::vector<std::string>& arguments,
                                int timeoutMilliseconds, const std::string& input)
{
    std::string command;
    for (const auto& argument : arguments)
        command += (command.empty() ? "" : " ") + argument;
    platform::ProgramResult result =
        platform::Use<platform::IProgramRunner>().Run(arguments, input, timeoutMilliseconds);
    Log(context, "ran " + command + ": " +
                     (!result.started ? std::string("did not start")
                      : result.timedOut ? "timed out"
                                        : "exit status " + std::to_string(result.exitCode)));
    return result;
}

std::string WhatItSaid(const platform::ProgramResult& result)
{
    if (!result.started)
        return "it could not be started";
    if (result.timedOut)
        return "it did not end in time";
    std::size_t begin = result.output.find_first_not_of(" \t\n");
    if (begin == std::string::npos)
        return "exit status " + std::to_string(result.exitCode);
    return result.output.substr(begin, result.output.find('\n', begin) - begin);
}

bool Succeeded(const platform::ProgramResult& result)
{
    return result.started && !result.timedOut && result.exitCode == 0;
}

} // namespace fixes
