// The diagnostic log writer shared by the library and both programs.
//
// Every module keeps its own stream to the one log file. A stream appends (O_APPEND), so several
// streams and processes can write the file at once; each write reaches the file immediately, and
// a line written with Line() reaches it in one write. While open, a stream holds the file's shared
// lock, which keeps other processes from deleting it (LogFile.h). A stream that cannot be opened
// stays silent for the rest of the run.
#pragma once

#include "LogFile.h"

#include "platform/core/CString.h"

#include <ctime>
#include <string>
#include <string_view>

inline constexpr const char16_t* kLogFilePath = u"C:\\Tarrow.log";

// Marker that writes the current local time: month/day/year hour:minute:second and a blank.
struct TimeStamp {};
inline constexpr TimeStamp timestamp{};

// The time stamp text for a local time; a null time writes 0 for the date and -1 for the time.
std::string FormatTimeStamp(const std::tm* local);

class CLogStream {
public:
    CLogStream() = default;
    ~CLogStream();
    CLogStream(const CLogStream&) = delete;
    CLogStream& operator=(const CLogStream&) = delete;

    // Opens a Windows-form path for appending, creating the file (mode 0600) when missing; a
    // symbolic link or anything but a regular file in its place leaves the stream silent.
    void Open(const CString& path);
    bool IsOpen() const { return m_fd >= 0; }
    // Closes the stream (and gives up its lock), as a program does while another one runs; Open
    // may follow.
    void Close();

    CLogStream& operator<<(const CString& text);
    CLogStream& operator<<(const char16_t* text);
    CLogStream& operator<<(std::string_view narrow);
    CLogStream& operator<<(const char* narrow) { return *this << std::string_view(narrow); }
    CLogStream& operator<<(long long number);
    CLogStream& operator<<(int number) { return *this << static_cast<long long>(number); }
    CLogStream& operator<<(TimeStamp);

    // One whole line in one write: time stamp, text, "\n". Inside a LogBatch the line waits in
    // the batch instead.
    void Line(const CString& text);
    // An empty line: "\n" alone, without a time stamp.
    void BlankLine();

private:
    friend class LogBatch;
    void Write(std::string_view bytes);
    void Flush();

    int m_fd = -1;
    bool m_batching = false;
    std::string m_batch;
};

// Collects the lines that a long walk writes (thousands of folder records) and writes them in
// pieces of whole lines, at least kLogBatchBytes each, instead of one write per line: the lines
// and their order stay the same, and another process's lines still fall between whole lines
// only. Whatever else is written to the stream meanwhile writes the waiting lines first; the
// rest goes out when the batch ends.
inline constexpr std::size_t kLogBatchBytes = 64 * 1024;

class LogBatch {
public:
    explicit LogBatch(CLogStream& stream) : m_stream(stream) { m_stream.m_batching = true; }
    ~LogBatch()
    {
        m_stream.m_batching = false;
        m_stream.Flush();
    }
    LogBatch(const LogBatch&) = delete;
    LogBatch& operator=(const LogBatch&) = delete;

private:
    CLogStream& m_stream;
};
