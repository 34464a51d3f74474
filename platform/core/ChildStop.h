// Lets another thread end the child process that a RunAndWait is waiting for.
#pragma once

#include <mutex>

namespace platform {

class ChildStop {
public:
    // From any thread: ends the child now waited for by its PID (SIGTERM), and every child that
    // is started with this stop later at once.
    void Stop();
    bool Stopped() const;

    // For the launcher. Attach: the child now waited for; false when stopped already (the caller
    // ends it). Detach: the child has ended and is not yet reaped, so its PID is still its own.
    bool Attach(int pid);
    void Detach();

private:
    mutable std::mutex m_mutex;
    bool m_stopped = false;
    int m_pid = -1;
};

} // namespace platform
