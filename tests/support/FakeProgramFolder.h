// Stands in for system programs that tests cannot run (systemctl, the firewalls): a program whose
// file name is found in the folder runs from there instead, with the same arguments; every other
// program runs as it is.
#pragma once

#include "platform/core/RunProgram.h"

#include <filesystem>
#include <string>
#include <unistd.h>

class FakeProgramFolder : public platform::IProgramRunner {
public:
    explicit FakeProgramFolder(std::string folder) : m_folder(std::move(folder)) {}

    platform::ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input,
                                platform::RunOptions options) override
    {
        std::vector<std::string> command = arguments;
        if (!m_folder.empty() && !command.empty()) {
            std::string fake = m_folder + "/" + std::filesystem::path(command[0]).filename().string();
            if (access(fake.c_str(), X_OK) == 0)
                command[0] = fake;
        }
        return platform::RunProgram(command, input, options);
    }

private:
    std::string m_folder;
};
