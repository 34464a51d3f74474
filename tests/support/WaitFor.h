// Waits for a condition that another thread or process brings about, never for a fixed time.
#pragma once

#include <chrono>
#include <thread>

// Polls predicate every millisecond until it holds (true) or timeout passes (false, after one last
// look). Tests assert on the result, so a condition that never comes fails instead of hanging.
template <typename Predicate>
bool WaitFor(Predicate predicate, std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (predicate())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return predicate();
}
