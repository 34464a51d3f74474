#include "RegistryValues.h"

#include "Paths.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

constexpr long kSuccess = 0;
constexpr long kFileNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kInvalidData = 13;

std::filesystem::path KeyFolder(const CString& hive, const CString& keyPath)
{
    return ToPosixPathOrMissing(u"C:\\registry\\" + hive + u"\\" + keyPath);
}

class FileRegistryValues : public IRegistryValues {
public:
    long OpenKey(const CString& hive, const CString& keyPath) override
    {
        std::error_code error;
        return std::filesystem::is_directory(KeyFolder(hive, keyPath), error) ? kSuccess : kFileNotFound;
    }

    long QueryDword(const CString& hive, const CString& keyPath, const CString& valueName, std::uint32_t& value) override
    {
        if (OpenKey(hive, keyPath) != kSuccess)
            return kFileNotFound;
        std::ifstream in(KeyFolder(hive, keyPath) / valueName.ToUtf8());
        if (!in)
            return kFileNotFound;
        std::ostringstream content;
        content << in.rdbuf();
        std::string text = content.str();
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
            text.pop_back();
        std::uint32_t number = 0;
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (text.empty() || error != std::errc() || end != text.data() + text.size())
            return kInvalidData;
        value = number;
        return kSuccess;
    }

    long SetDword(const CString& hive, const CString& keyPath, const CString& valueName, std::uint32_t value) override
    {
        std::error_code error;
        std::filesystem::path folder = KeyFolder(hive, keyPath);
        std::filesystem::create_directories(folder, error);
        std::ofstream out(folder / valueName.ToUtf8(), std::ios::trunc);
        out << value << "\n";
        return out.flush() ? kSuccess : kAccessDenied;
    }
};

} // namespace

IRegistryValues& IRegistryValues::Default()
{
    static FileRegistryValues instance;
    return instance;
}

} // namespace platform
