// Window messages: values and the window that takes them.
//
// Both programs' pages receive parameterless messages from worker threads. This header carries
// the base values and the posting interface; each program adds its own message values on top.
#pragma once

#include <cstdint>

inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_USER = 0x0400;

// A window that takes posted messages and handles them later on its own user-interface thread.
// The page framework implements it for its pages; posting may come from any thread. A message
// posted to a window that is gone by the time it would be handled is dropped.
class IMessageWindow {
public:
    virtual ~IMessageWindow() = default;
    virtual void PostMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};
