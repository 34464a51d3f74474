// Waits go through this service so that tests can run them without waiting.
#pragma once

namespace platform {

class ISleeper {
public:
    virtual ~ISleeper() = default;
    virtual void Sleep(unsigned milliseconds) = 0;

    static constexpr const char* kServiceName = "Sleeper";
    static ISleeper& Default();
};

} // namespace platform
