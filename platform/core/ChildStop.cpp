#include "platform/core/ChildStop.h"

#include <csignal>

namespace platform {

void ChildStop::Stop()
{
    std::lock_guard lock(m_mutex);
    m_stopped = true;
    if (m_pid > 0)
        kill(m_pid, SIGTERM);
}

bool ChildStop::Stopped() const
{
    std::lock_guard lock(m_mutex);
    return m_stopped;
}

bool ChildStop::Attach(int pid)
{
    std::lock_guard lock(m_mutex);
    if (m_stopped)
        return false;
    m_pid = pid;
    return true;
}

void ChildStop::Detach()
{
    std::lock_guard lock(m_mutex);
    m_pid = -1;
}

} // namespace platform
