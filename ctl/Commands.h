// tarrowctl's subcommands, one row each: name, help and the function that runs it.
#pragma once

#include "ctl/Arguments.h"

#include <span>
#include <string>
#include <vector>

struct Command {
    const char* name;
    const char* synopsis;    // "add DEVICE [OPTIONS]"
    const char* summary;     // one line for the program's help
    const char* description; // the subcommand's help, after its synopsis
    std::span<const OptionSpec> options;
    // Returns an exit code (ctl/ExitCodes.h). args holds the parsed options and positionals.
    int (*run)(const Arguments& args);
};

std::span<const Command> Commands();

int RunCheck(const Arguments& args);
int RunAdd(const Arguments& args);
int RunList(const Arguments& args);
int RunRemove(const Arguments& args);
int RunExport(const Arguments& args);
int RunImport(const Arguments& args);
int RunDoctor(const Arguments& args);
int RunSearch(const Arguments& args);

// The whole program: args without the program's name; returns the exit code.
int RunTarrowctl(const std::vector<std::string>& args);

// The help of the program (all subcommands) and of one subcommand.
std::string ProgramHelp();
std::string CommandHelp(const Command& command);
