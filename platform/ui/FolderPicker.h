// The folder picker: a modal dialog in which the user chooses a folder (and may make a new one).
// The program's implementation is a GTK folder chooser (tarrow_folder_picker_gtk); tests install
// a scripted one. This header needs no GTK.
#pragma once

#include "platform/core/CString.h"

namespace platform {

class IFolderPicker {
public:
    virtual ~IFolderPicker() = default;

    // Shows the picker without owner, title or root, on the user-interface thread. True with the
    // chosen folder's file-system path; false when the user cancelled or no display is there.
    virtual bool BrowseForFolder(CString& path) = 0;

    static constexpr const char* kServiceName = "FolderPicker";
    static IFolderPicker& Default();
};

} // namespace platform
