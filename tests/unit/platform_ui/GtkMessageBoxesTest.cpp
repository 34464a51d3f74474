// The GTK dialog itself; runs only on a display (ctest runs it under xvfb-run, label "gtk").
#include "platform/ui/MessageBoxes.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace platform;

namespace {

GtkWidget* OpenMessageDialog()
{
    GList* windows = gtk_window_list_toplevels();
    GtkWidget* found = nullptr;
    for (GList* w = windows; w; w = w->next)
        if (GTK_IS_MESSAGE_DIALOG(w->data) && gtk_widget_get_visible(GTK_WIDGET(w->data)))
            found = GTK_WIDGET(w->data);
    g_list_free(windows);
    return found;
}

// Runs the steps one after the other while a box is open, each once a dialog is showing.
class Driver {
public:
    explicit Driver(std::vector<std::function<void(GtkWidget*)>> steps) : m_steps(std::move(steps))
    {
        g_timeout_add(50, &Driver::Tick, this);
    }

private:
    static gboolean Tick(gpointer self)
    {
        auto* driver = static_cast<Driver*>(self);
        GtkWidget* dialog = OpenMessageDialog();
        if (!dialog)
            return G_SOURCE_CONTINUE;
        driver->m_steps[driver->m_next++](dialog);
        return driver->m_next < driver->m_steps.size() ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
    }

    std::vector<std::function<void(GtkWidget*)>> m_steps;
    std::size_t m_next = 0;
};

std::string ButtonLabel(GtkWidget* dialog, int response)
{
    GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), response);
    return button ? gtk_button_get_label(GTK_BUTTON(button)) : "";
}

class GtkMessageBoxes : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY") || !gtk_init_check(nullptr, nullptr))
            GTEST_SKIP() << "no display";
    }
};

} // namespace

TEST_F(GtkMessageBoxes, YesNoBoxWithNoAsDefaultCannotBeClosedAway)
{
    std::string title;
    std::string text;
    bool noIsDefault = false;
    bool stillOpen = false;
    Driver driver({[&](GtkWidget* dialog) {
                       title = gtk_window_get_title(GTK_WINDOW(dialog));
                       gchar* shown = nullptr;
                       g_object_get(dialog, "text", &shown, nullptr);
                       text = shown ? shown : "";
                       g_free(shown);
                       noIsDefault = gtk_widget_has_default(gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), IDNO));
                       EXPECT_EQ(ButtonLabel(dialog, IDYES), "_Yes");
                       gtk_window_close(GTK_WINDOW(dialog)); // a Yes/No box ignores this
                   },
                   [&](GtkWidget* dialog) {
                       stillOpen = true;
                       gtk_button_clicked(GTK_BUTTON(gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), IDYES)));
                   }});
    int answer = IMessageBoxes::Default().Show(u"Do you want to continue?", u"Warning", 0x134);
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(title, "Warning");
    EXPECT_EQ(text, "Do you want to continue?");
    EXPECT_TRUE(noIsDefault);
    EXPECT_TRUE(stillOpen);
}

TEST_F(GtkMessageBoxes, ClosingAnOkBoxAnswersOk)
{
    Driver driver({[](GtkWidget* dialog) { gtk_window_close(GTK_WINDOW(dialog)); }});
    EXPECT_EQ(IMessageBoxes::Default().Show(u"Could not get path to module.", u"Error", MB_OK | MB_ICONERROR), IDOK);
}

TEST_F(GtkMessageBoxes, AWorkerThreadsBoxIsShownByTheMainLoop)
{
    struct Run {
        GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
        std::thread worker;
        int answer = 0;
    } run;
    Driver driver({[](GtkWidget* dialog) {
        gtk_button_clicked(GTK_BUTTON(gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), IDNO)));
    }});
    // The worker starts once the main loop runs, as a page's worker does.
    g_idle_add(
        [](gpointer data) -> gboolean {
            auto* r = static_cast<Run*>(data);
            r->worker = std::thread([r] {
                r->answer = IMessageBoxes::Default().Show(u"Keep going?", u"Warning", MB_YESNO | MB_ICONWARNING);
                g_main_loop_quit(r->loop);
            });
            return G_SOURCE_REMOVE;
        },
        &run);
    g_main_loop_run(run.loop);
    run.worker.join();
    g_main_loop_unref(run.loop);
    EXPECT_EQ(run.answer, IDNO);
}
