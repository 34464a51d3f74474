// The whole log file as the log tests read it, from its beginning.
#pragma once

#include "common/log/LogStream.h"
#include "platform/core/Paths.h"
#include "support/LogCapture.h"

#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

inline std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string LogPath()
{
    return *platform::ToPosixPath(kLogFilePath);
}

// Every line of the log file with its time stamp removed; none when the file is missing.
inline std::vector<std::string> LogLines()
{
    std::vector<std::string> lines;
    std::istringstream in(FileText(LogPath()));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(LogCapture::TimeStampLength(line)));
    return lines;
}

// The log file's inode number, 0 when it is missing: the same number means the same file.
inline ino_t LogInode()
{
    struct stat info {};
    return stat(LogPath().c_str(), &info) == 0 ? info.st_ino : 0;
}
