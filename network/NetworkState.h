// TarrowNetwork's one process-wide record, shared between the start-up, the pages and the
// discovery worker.
#pragma once

#include "network/NetworkMessages.h"
#include "pageframe/PageContext.h"
#include "platform/core/CString.h"

#include <memory>

// posX, posY, languageCode and moduleFolder come from PageContext.
struct NetworkState : PageContext {
    CString modelName;        // model name last read from a device; empty in list mode
    int deviceCount = 0;      // devices that the last search listed
    int workerResult = 0;     // the worker thread's return value
    int exitCode = 0;         // the process exit code
    // Window of the progress page, where the worker posts its completion message. A page that
    // has closed no longer takes messages: the worker's post then does nothing.
    std::weak_ptr<IMessageWindow> windowHandle;
    int lastFeatures = 0;     // result of the last GetSupportedFeatures call
};
