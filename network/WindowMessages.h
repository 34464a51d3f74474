// Window messages between the discovery worker and the progress page.
#pragma once

#include <cstdint>

inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_USER = 0x0400;
// Posted by the discovery worker to the progress page when the device list file is complete.
inline constexpr unsigned WM_DISCOVERY_DONE = WM_USER + 5;

// A window that takes posted messages and handles them later on its own user-interface thread.
// The page framework implements it for its pages; posting may come from any thread.
class IMessageWindow {
public:
    virtual ~IMessageWindow() = default;
    virtual void PostMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};
