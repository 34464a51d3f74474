#include "ctl/Commands.h"
#include "ctl/ExitCodes.h"

#include "common/log/ProgramLog.h"
#include "platform/core/Paths.h"

#include <iostream>

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
        Arguments parsed;
        std::string error;
        if (!parsed.Parse({args.begin() + 1, args.end()}, command.options, error)) {
            std::cerr << "tarrowctl " << command.name << ": " << error << "\n\n" << CommandHelp(command);
            return kExitUsage;
        }
        if (parsed.Has("--help")) {
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
    std::cerr << "tarrowctl: unknown command \"" << args[0] << "\"\n\n" << ProgramHelp();
    return kExitUsage;
}
