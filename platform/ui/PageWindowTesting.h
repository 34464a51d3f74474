// Test access to a WebKitGTK page window (tarrow_page_host_webkit): what only tests need, kept
// out of the page-host interface. Each returns false for a window of another host or when the
// page does not answer in time.
#pragma once

#include "platform/ui/PageHost.h"

#include <string>

namespace platform {

// Runs a JavaScript function body in the page (it may return a promise) and gives its result
// as text (JSON for objects and arrays).
bool EvaluateInPage(IPageWindow& window, const std::string& functionBody, std::string& result);
// Waits until the page has been painted (two animation frames).
bool WaitForPaint(IPageWindow& window);
// Writes the visible part of the page as a PNG file.
bool SavePageSnapshot(IPageWindow& window, const std::string& pngPath);

} // namespace platform
