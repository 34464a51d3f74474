// Reads what the process appended to the diagnostic log since the capture began.
#pragma once

#include "common/log/LogStream.h"
#include "platform/core/Paths.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class LogCapture {
public:
    LogCapture() : m_path(*platform::ToPosixPath(kLogFilePath)), m_start(FileText().size()) {}

    // Raw bytes appended since construction, time stamps included.
    std::string Text() const { return FileText().substr(m_start); }

    // The appended lines with their leading time stamps removed.
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(Text());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line.substr(TimeStampLength(line)));
        return lines;
    }

    // Length of the "M/D/YYYY H:M:S " time stamp that begins line, or 0 when there is none.
    static std::size_t TimeStampLength(const std::string& line)
    {
        auto field = [&](std::size_t at, char separator) -> std::size_t {
            std::size_t end = line.find(separator, at);
            if (end == std::string::npos || end == at)
                return std::string::npos;
            for (std::size_t i = at; i < end; ++i)
                if (!std::isdigit(static_cast<unsigned char>(line[i])) && line[i] != '-')
                    return std::string::npos;
            return end + 1;
        };
        std::size_t at = 0;
        for (char separator : {'/', '/', ' ', ':', ':', ' '}) {
            at = field(at, separator);
            if (at == std::string::npos)
                return 0;
        }
        return at;
    }

    bool HasLine(const std::string& line) const
    {
        for (const auto& l : Lines())
            if (l == line)
                return true;
        return false;
    }

    bool Contains(const std::string& text) const { return Text().find(text) != std::string::npos; }

private:
    std::string FileText() const
    {
        std::ifstream in(m_path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string m_path;
    std::size_t m_start;
};
