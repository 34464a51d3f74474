#include "Services.h"

#include <map>
#include <mutex>
#include <string>

namespace platform {

void*& ServiceSlot(std::string_view serviceName)
{
    // Slots are created on first look-up, possibly from two threads; map nodes never move.
    static std::mutex lock;
    static std::map<std::string, void*, std::less<>> slots;
    std::lock_guard guard(lock);
    auto found = slots.find(serviceName);
    if (found == slots.end())
        found = slots.emplace(std::string(serviceName), nullptr).first;
    return found->second;
}

} // namespace platform
