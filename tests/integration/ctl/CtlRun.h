// tarrowctl run in this process, with its standard streams caught.
#pragma once

#include "ctl/Commands.h"

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

struct CtlRun {
    int exitCode;
    std::string out, err;
};

// tarrowctl with these arguments and this standard input.
inline CtlRun RunCtl(const std::vector<std::string>& args, const std::string& input = "")
{
    std::ostringstream out, err;
    std::istringstream in(input);
    std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
    std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
    std::streambuf* oldIn = std::cin.rdbuf(in.rdbuf());
    int code = RunTarrowctl(args);
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    std::cin.rdbuf(oldIn);
    std::cin.clear();
    return {code, out.str(), err.str()};
}
