// Reads what the process appended to the diagnostic log since the capture began.
#pragma once

#include "common/log/LogStream.h"
#include "platform/core/Paths.h"

#include <fstream>
#include <regex>
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
        static const std::regex stamp(R"(^-?\d+/-?\d+/-?\d+ -?\d+:-?\d+:-?\d+ )");
        std::vector<std::string> lines;
        std::istringstream in(Text());
        for (std::string line; std::getline(in, line);)
            lines.push_back(std::regex_replace(line, stamp, "", std::regex_constants::format_first_only));
        return lines;
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
