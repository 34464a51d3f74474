// The platform's system information with the module folder (the folder of the programs and
// pages) and the run folder (of the data files) both moved to a test's own; the computer's name
// stays the real one.
#pragma once

#include "platform/core/SystemInfo.h"

#include "platform/core/RunFolder.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

class ModuleFolderAt : public platform::ISystemInfo {
public:
    // The run folder is the module folder unless one of its own is given.
    explicit ModuleFolderAt(std::filesystem::path folder, std::filesystem::path runFolder = {})
        : m_folder(std::move(folder)), m_runFolder(runFolder.empty() ? m_folder : std::move(runFolder))
    {
    }
    bool GetComputerName(CString& name) override { return platform::ISystemInfo::Default().GetComputerName(name); }
    CString GetModuleFolder() override { return CString::FromUtf8(m_folder.string()); }
    CString GetRunFolder() override { return CString::FromUtf8(m_runFolder.string()); }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_runFolder;
};

// Makes the folder this run's folder for the programs the test starts as well (TarrowNetwork
// takes only a private folder: 0700).
inline bool UseAsRunFolder(const std::filesystem::path& folder)
{
    return chmod(folder.c_str(), 0700) == 0 && setenv(platform::kRunFolderVariable, folder.c_str(), 1) == 0;
}
