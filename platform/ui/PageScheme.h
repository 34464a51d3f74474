// How the web views reach the page files: through a scheme of the program's own (tarrow://app/),
// answered from two folders. The program's folder holds the pages, images, styles and scripts,
// read-only once installed; this run's private folder holds the data files that the programs
// write for their pages (js/DeviceFolderList.js, js/NtwkDevList.js). A page's relative
// "../js/DeviceFolderList.js" thus finds this run's list, and no page can read a file outside
// the two folders.
#pragma once

#include "platform/core/CString.h"

#include <string>

typedef struct _WebKitWebContext WebKitWebContext;

namespace platform {

// Registers the scheme with the context; once per process.
void RegisterPageScheme(WebKitWebContext* context);

// The scheme's URI for a page file in the program's folder; a file elsewhere gets its file://
// URI. Empty for a path that is no file path.
std::string PageUri(const CString& filePath);

} // namespace platform
