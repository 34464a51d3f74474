#include "common/text/UnicodeTextFile.h"

#include "platform/core/Paths.h"

#include <string>

bool CUnicodeTextFile::Open(const CString& path)
{
    Close();
    auto posix = platform::ToPosixPath(path);
    m_file = posix ? std::fopen(posix->c_str(), "wb") : nullptr;
    if (m_file)
        std::fwrite("\xFF\xFE", 1, 2, m_file);
    return m_file != nullptr;
}

bool CUnicodeTextFile::OpenForAppend(const CString& path)
{
    Close();
    auto posix = platform::ToPosixPath(path);
    m_file = posix ? std::fopen(posix->c_str(), "ab") : nullptr;
    if (m_file && std::fseek(m_file, 0, SEEK_END) == 0 && std::ftell(m_file) == 0)
        std::fwrite("\xFF\xFE", 1, 2, m_file);
    return m_file != nullptr;
}

void CUnicodeTextFile::Write(const CString& text)
{
    if (!m_file)
        return;
    std::string bytes;
    auto put = [&bytes](char16_t unit) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    };
    for (char16_t unit : text.str()) {
        if (unit == u'\n')
            put(u'\r');
        put(unit);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), m_file);
}

void CUnicodeTextFile::Close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}
