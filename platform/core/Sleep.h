// Waits go through this service so that tests can run them without waiting.
#pragma once

namespace platform {

class ISleeper {
public:
    virtual ~ISleeper() = default;
    virtual void Sleep(unsigned milliseconds) = 0;

    static ISleeper& Default();
};

} // namespace platform
