// The folder picker: GTK's file chooser in folder mode.
#include "FolderPicker.h"

#include <gtk/gtk.h>

namespace platform {

namespace {

class GtkFolderPicker : public IFolderPicker {
public:
    bool BrowseForFolder(CString& path) override
    {
        if (!gtk_init_check(nullptr, nullptr))
            return false;
        GtkWidget* dialog = gtk_file_chooser_dialog_new(
            nullptr, nullptr, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, g_dgettext("gtk30", "_Cancel"),
            GTK_RESPONSE_CANCEL, g_dgettext("gtk30", "_Select"), GTK_RESPONSE_ACCEPT, nullptr);
        gtk_file_chooser_set_create_folders(GTK_FILE_CHOOSER(dialog), TRUE);
        bool picked = false;
        if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
            if (gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog))) {
                path = CString::FromUtf8(name);
                picked = true;
                g_free(name);
            }
        }
        gtk_widget_destroy(dialog);
        while (gtk_events_pending())
            gtk_main_iteration();
        return picked;
    }
};

} // namespace

IFolderPicker& IFolderPicker::Default()
{
    static GtkFolderPicker instance;
    return instance;
}

} // namespace platform
