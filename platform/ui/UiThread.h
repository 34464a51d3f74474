// Hand-over of work to the user-interface thread (the thread that runs the GTK main loop).
#pragma once

#include <functional>

namespace platform {

// Queues work for the user-interface thread's main loop and returns at once; safe from any
// thread. The queued closure is owned by the loop's source and freed after it has run, or when
// the source is dropped without running (the main context goes away).
void PostToUiThread(std::function<void()> work);

} // namespace platform
