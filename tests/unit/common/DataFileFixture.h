// The settings data file in a test: the programs' module folder is a folder on the test's own
// drive C:, and the program log is open.
#pragma once

#include "common/log/ProgramLog.h"
#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

class ModuleFolderIn : public platform::ISystemInfo {
public:
    explicit ModuleFolderIn(CString folder) : m_folder(std::move(folder)) {}
    bool GetComputerName(CString& name) override { name = u"TESTPC"; return true; }
    CString GetModuleFolder() override { return m_folder; }
    CString GetRunFolder() override { return m_folder; }

private:
    CString m_folder;
};

class DataFileTest : public testing::Test {
protected:
    DataFileTest() : m_use(m_systemInfo)
    {
        std::filesystem::create_directories(*platform::ToPosixPath(kFolder));
        ProgramLog().Open(kLogFilePath);
    }

    static constexpr const char16_t* kFolder = u"C:\\Program Files\\Tarrow";
    static constexpr const char16_t* kPath = u"C:\\Program Files\\Tarrow/tarrow.data";

    static std::string PosixPath() { return *platform::ToPosixPath(kPath); }

    static std::string FileBytes()
    {
        std::ifstream in(PosixPath(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    static void WriteFileBytes(const std::string& bytes) { std::ofstream(PosixPath(), std::ios::binary) << bytes; }

    // "\xFF\xFE" and the UTF-16LE form of UTF-8 text.
    static std::string Utf16File(const std::string& utf8)
    {
        std::string bytes = "\xFF\xFE";
        CString text = CString::FromUtf8(utf8);
        for (char16_t ch : text.str()) {
            bytes += static_cast<char>(ch & 0xFF);
            bytes += static_cast<char>(ch >> 8);
        }
        return bytes;
    }

private:
    ModuleFolderIn m_systemInfo{kFolder};
    platform::ScopedService<platform::ISystemInfo> m_use;
};
