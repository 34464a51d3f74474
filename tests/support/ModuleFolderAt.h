// The platform's system information with the module folder (the folder of the programs, pages
// and data file) moved to a test's own; the computer's name stays the real one.
#pragma once

#include "platform/core/SystemInfo.h"

#include <filesystem>

class ModuleFolderAt : public platform::ISystemInfo {
public:
    explicit ModuleFolderAt(std::filesystem::path folder) : m_folder(std::move(folder)) {}
    bool GetComputerName(CString& name) override { return platform::ISystemInfo::Default().GetComputerName(name); }
    CString GetModuleFolder() override { return CString::FromUtf8(m_folder.string()); }

private:
    std::filesystem::path m_folder;
};
