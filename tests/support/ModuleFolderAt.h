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
    explicit ModuleFolderAt(std::filesystem::path folder) : m_folder(std::move(folder)) {}
    bool GetComputerName(CString& name) override { return platform::ISystemInfo::Default().GetComputerName(name); }
    CString GetModuleFolder() override { return CString::FromUtf8(m_folder.string()); }
    CString GetRunFolder() override { return GetModuleFolder(); }

private:
    std::filesystem::path m_folder;
};

// Makes the folder this run's folder for the programs the test starts as well (TarrowNetwork
// takes only a private folder: 0700).
inline bool UseAsRunFolder(const std::filesystem::path& folder)
{
    return chmod(folder.c_str(), 0700) == 0 && setenv(platform::kRunFolderVariable, folder.c_str(), 1) == 0;
}
