// PostToUiThread on GLib's default main context: an idle source that owns its closure.
#include "UiThread.h"

#include <glib.h>

namespace platform {

namespace {

gboolean RunOnce(gpointer data)
{
    (*static_cast<std::function<void()>*>(data))();
    return G_SOURCE_REMOVE;
}

void FreeClosure(gpointer data)
{
    delete static_cast<std::function<void()>*>(data);
}

} // namespace

void PostToUiThread(std::function<void()> work)
{
    // g_idle_add, not g_main_context_invoke: invoke runs the closure on the caller's own thread
    // when no thread owns the context at that moment.
    g_idle_add_full(G_PRIORITY_DEFAULT, &RunOnce, new std::function<void()>(std::move(work)), &FreeClosure);
}

} // namespace platform
