#include "LogStream.h"

#include "LogFile.h"

#include "platform/core/Paths.h"
#include "platform/core/WriteAll.h"

#include <cstdio>
#include <unistd.h>

std::string FormatTimeStamp(const std::tm* local)
{
    char text[96];
    if (local) {
        std::snprintf(text, sizeof text, "%d/%d/%d %d:%d:%d ", local->tm_mon + 1, local->tm_mday,
                      local->tm_year + 1900, local->tm_hour, local->tm_min, local->tm_sec);
    } else {
        std::snprintf(text, sizeof text, "0/0/0 -1:-1:-1 ");
    }
    return text;
}

namespace {

std::string CurrentTimeStamp()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    return FormatTimeStamp(localtime_r(&now, &local));
}

} // namespace

CLogStream::~CLogStream()
{
    Close();
}

void CLogStream::Close()
{
    Flush();
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
}

void CLogStream::Open(const CString& path)
{
    if (m_fd >= 0)
        return;
    auto posix = platform::ToPosixPath(path);
    if (!posix)
        return;
    m_fd = OpenLogFile(*posix);
}

void CLogStream::Write(std::string_view bytes)
{
    if (m_fd < 0)
        return;
    Flush();  // lines waiting in a batch come first
    if (!platform::WriteAll(m_fd, bytes)) {
        // A failed write puts the stream into its bad state: later writes are dropped.
        Close();
    }
}

CLogStream& CLogStream::operator<<(const CString& text)
{
    Write(text.ToUtf8());
    return *this;
}

CLogStream& CLogStream::operator<<(const char16_t* text)
{
    return *this << CString(text);
}

CLogStream& CLogStream::operator<<(std::string_view narrow)
{
    Write(narrow);
    return *this;
}

CLogStream& CLogStream::operator<<(long long number)
{
    Write(std::to_string(number));
    return *this;
}

CLogStream& CLogStream::operator<<(TimeStamp)
{
    Write(CurrentTimeStamp());
    return *this;
}

void CLogStream::Line(const CString& text)
{
    if (m_fd < 0)
        return;
    if (!m_batching) {
        Write(CurrentTimeStamp() + text.ToUtf8() + "\n");
        return;
    }
    m_batch += CurrentTimeStamp();
    m_batch += text.ToUtf8();
    m_batch += '\n';
    if (m_batch.size() >= kLogBatchBytes)
        Flush();
}

void CLogStream::Flush()
{
    if (m_batch.empty())
        return;
    std::string lines;
    lines.swap(m_batch);
    Write(lines);
}

void CLogStream::BlankLine()
{
    Write("\n");
}
