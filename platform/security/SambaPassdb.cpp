#include "SambaPassdb.h"

#include "platform/core/Services.h"
#include "platform/core/RunProgram.h"
#include "platform/shares/SambaConfig.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace platform {

namespace {

// pdbedit's words for a name the database does not hold.
constexpr const char* kUnknownName = "Username not found";
// Its words when it cannot open the database, in lower case (tdbsam, the default back end:
// "tdbsam_open: Failed to open/create TDB passwd [...]", then "Username not found!").
constexpr const char* kOpenFailed = "failed to open";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

PassdbEntry ReadPassdbEntry(const std::string& name)
{
    std::vector<std::string> arguments{kPdbeditProgram};
    for (auto& option : SambaConfigOption())
        arguments.push_back(std::move(option));
    arguments.insert(arguments.end(), {"-L", "-v", "-u", name});
    ProgramResult run = Use<IProgramRunner>().Run(arguments, {}, kSambaToolTimeout);

    PassdbEntry entry;
    entry.exitCode = run.exitCode;
    entry.output = std::move(run.output);
    if (!run.started || run.timedOut)
        entry.answer = PassdbAnswer::NotRun;
    else if (run.exitCode == 0)
        entry.answer = PassdbAnswer::Listed;
    else if (Lower(entry.output).find(kOpenFailed) != std::string::npos)
        entry.answer = PassdbAnswer::Unreadable;
    else if (entry.output.find(kUnknownName) != std::string::npos)
        entry.answer = PassdbAnswer::Unknown;
    else
        entry.answer = PassdbAnswer::Failed;
    return entry;
}

} // namespace platform
