#include "Sleep.h"

#include <chrono>
#include <thread>

namespace platform {

namespace {

class RealSleeper : public ISleeper {
public:
    void Sleep(unsigned milliseconds) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
};

} // namespace

ISleeper& ISleeper::Default()
{
    static RealSleeper instance;
    return instance;
}

} // namespace platform
