// Messages that the wizard's workers post to their page (no parameters).
#pragma once

#include "platform/ui/WindowMessages.h"

inline constexpr unsigned WM_PROGRESS_START = WM_USER + 5; // the Progress page's start delay is over
inline constexpr unsigned WM_COMPUTER_DONE = WM_USER + 6;  // ConfigureComputer returned
inline constexpr unsigned WM_DEVICE_DONE = WM_USER + 7;    // ConfigureDevice returned
inline constexpr unsigned WM_WORK_DONE = WM_USER + 8;      // the device check or the deletion finished
inline constexpr unsigned WM_FIX_DONE = WM_USER + 9;       // a fix offered on the page was carried out or refused
