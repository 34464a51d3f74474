#include "ctl/Commands.h"
#include "ctl/ExitCodes.h"
#include "ctl/RunResult.h"

#include "common/log/ProgramLog.h"
#include "platform/core/Paths.h"

#include <algorithm>
#include <iostream>

namespace {

// --json among the options (before a "--"), also of a command line that is not understood.
bool AsksForJson(const std::vector<std::string>& args)
{
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::find(args.begin(), end, "--json") != end;
}

int RunCommand(const Command& command, const std::vector<std::string>& args)
{
    Arguments parsed;
    std::string error;
    if (!parsed.Parse(args, command.options, error)) {
        CurrentRun().AddError(error);
        std::cerr << "tarrowctl " << command.name << ": " << error << "\n\n" << CommandHelp(command);
        return kExitUsage;
    }
    if (parsed.Has("--help")) {
        CurrentRun().Start(false); // the help is text, --json or not
        std::cout << CommandHelp(command);
        return kExitOk;
    }
    ProgramLog().Open(kLogFilePath);
    if (!ProgramLog().IsOpen())
        std::cerr << "tarrowctl: warning: nothing of this run is logged: the log "
                  << platform::ToPosixPathOrMissing(kLogFilePath)
                  << " is not a regular file that this account can write (remove what is there, or make its "
                     "folder writable)" << std::endl;
    ProgramLog().Line(CString(u"tarrowctl ") + CString::FromUtf8(command.name));
    return command.run(parsed);
}

} // namespace

int RunTarrowctl(const std::vector<std::string>& args)
{
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        (args.empty() ? std::cerr : std::cout) << ProgramHelp();
        return args.empty() ? kExitUsage : kExitOk;
    }
    if (args[0] == "--help-all") { // every subcommand's help too: the source of the man page
        std::cout << ProgramHelp();
        for (const Command& command : Commands())
            std::cout << "\nThe " << command.name << " command:\n" << CommandHelp(command).substr(7); // no "Usage: "
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "tarrowctl 1.0\n";
        return kExitOk;
    }
    for (const Command& command : Commands()) {
        if (args[0] != command.name)
            continue;
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        CurrentRun().Start(AsksForJson(rest));
        const int code = RunCommand(command, rest);
        if (CurrentRun().Json())
            std::cout << CurrentRun().Document(code) << std::endl;
        return code;
    }
    std::cerr << "tarrowctl: unknown command \"" << args[0] << "\"\n\n" << ProgramHelp();
    if (AsksForJson(args)) {
        CurrentRun().Start(true);
        CurrentRun().AddError("unknown command \"" + args[0] + "\" (tarrowctl --help lists the commands)");
        std::cout << CurrentRun().Document(kExitUsage) << std::endl;
    }
    return kExitUsage;
}
