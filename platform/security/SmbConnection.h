// A connection to an SMB server on this computer (127.0.0.1) with the direct-TCP framing: each
// message goes with its length in front. Every wait is bounded by the time-out given.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

namespace platform {

class SmbConnection {
public:
    explicit SmbConnection(int timeoutMilliseconds) : m_timeout(timeoutMilliseconds) {}
    ~SmbConnection();
    SmbConnection(const SmbConnection&) = delete;
    SmbConnection& operator=(const SmbConnection&) = delete;

    // Connects to the port; false when it is refused or not made within the time-out.
    bool Open(int port);
    // Sends a message; false when the connection ends or stays blocked past the time-out.
    bool Send(const std::vector<std::uint8_t>& message);
    // The next message, without its length; false when the connection ends, the server stays
    // silent past the time-out, or the length is beyond any reply to a session set-up.
    bool Receive(std::vector<std::uint8_t>& message);

private:
    using Clock = std::chrono::steady_clock;
    bool Wait(short events, Clock::time_point deadline);
    bool ReadExactly(std::vector<std::uint8_t>& into, Clock::time_point deadline);

    int m_fd = -1;
    std::chrono::milliseconds m_timeout;
};

} // namespace platform
