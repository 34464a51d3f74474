// List mode's pages: the progress page, its worker and the finish page nested in it.
#pragma once

#include "common/data/CWriteXML.h"
#include "network/NetworkState.h"

// The line logged when no page window can be made (no display) and the search runs without pages.
inline constexpr const char16_t* kNoPageWindowLine = u"No page window could be made: searching without the pages.";

// Runs the progress page modally; returns when the pages have closed. Without a page window the
// search still runs to its end and writes the device list file, and no device is chosen.
void RunDiscoveryPages(NetworkState& state, CWriteXML& dataFile);
