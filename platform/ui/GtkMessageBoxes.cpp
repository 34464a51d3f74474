// The program's message boxes: a modal GTK message dialog.
#include "ConsoleMessageBox.h"
#include "MessageBoxes.h"
#include "UiThread.h"

#include <gtk/gtk.h>

#include <condition_variable>
#include <memory>
#include <mutex>

#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {

bool DisplayAvailable()
{
    static std::once_flag once;
    static bool available = false;
    std::call_once(once, [] { available = gtk_init_check(nullptr, nullptr); });
    return available;
}

GtkMessageType MessageTypeOf(unsigned style)
{
    switch (style & 0xF0) {
    case MB_ICONERROR: return GTK_MESSAGE_ERROR;
    case MB_ICONQUESTION: return GTK_MESSAGE_QUESTION;
    case MB_ICONWARNING: return GTK_MESSAGE_WARNING;
    case MB_ICONINFORMATION: return GTK_MESSAGE_INFO;
    default: return GTK_MESSAGE_OTHER;
    }
}

// Labels from GTK's own catalogue, so the buttons follow the desktop's language.
const char* LabelOf(int button)
{
    switch (button) {
    case IDOK: return g_dgettext("gtk30", "_OK");
    case IDCANCEL: return g_dgettext("gtk30", "_Cancel");
    case IDABORT: return g_dgettext("gtk30", "_Abort");
    case IDRETRY: return g_dgettext("gtk30", "_Retry");
    case IDIGNORE: return g_dgettext("gtk30", "_Ignore");
    case IDYES: return g_dgettext("gtk30", "_Yes");
    default: return g_dgettext("gtk30", "_No");
    }
}

bool Contains(std::span<const int> buttons, int button)
{
    for (int b : buttons)
        if (b == button)
            return true;
    return false;
}

// What closing the window (Esc, close box) answers; 0 when the box cannot be closed that way,
// as a Yes/No box without Cancel.
int CloseAnswer(std::span<const int> buttons)
{
    if (Contains(buttons, IDCANCEL))
        return IDCANCEL;
    if (buttons.size() == 1)
        return buttons[0];
    return 0;
}

int ShowDialog(const CString& text, const CString& caption, unsigned style)
{
    if (!DisplayAvailable())
        return ShowOnStandardError(text, caption, style);

    auto buttons = ButtonsOf(style);
    std::string body = text.ToUtf8();
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, MessageTypeOf(style), GTK_BUTTONS_NONE,
                                               "%s", body.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), caption.ToUtf8().c_str());
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    gtk_window_set_keep_above(GTK_WINDOW(dialog), (style & MB_TOPMOST) != 0);
    for (int button : buttons)
        gtk_dialog_add_button(GTK_DIALOG(dialog), LabelOf(button), button);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), DefaultButton(style));

    int answer = 0;
    while (answer == 0) {
        int response = gtk_dialog_run(GTK_DIALOG(dialog));
        if (response > 0)
            answer = response;
        else if (response == GTK_RESPONSE_DELETE_EVENT)
            answer = CloseAnswer(buttons);
        else
            answer = DefaultButton(style);
    }
    gtk_widget_destroy(dialog);
    while (gtk_events_pending())
        gtk_main_iteration();
    return answer;
}

bool OnMainThread()
{
    return syscall(SYS_gettid) == getpid();
}

// A box asked for by a worker thread, shown by the main thread's loop.
struct Request {
    Request(const CString& boxText, const CString& boxCaption, unsigned boxStyle)
        : text(boxText), caption(boxCaption), style(boxStyle) {}
    const CString& text;
    const CString& caption;
    unsigned style;
    int answer = 0;
    bool done = false;
    std::mutex lock;
    std::condition_variable finished;

    void Finish(int button)
    {
        std::lock_guard guard(lock);
        if (done)
            return;
        answer = button;
        done = true;
        finished.notify_one();
    }
};

// Travels with the posted closure: answers the default button should the loop drop the closure
// without running it, so the waiting worker is never left hanging.
struct Answerer {
    explicit Answerer(std::shared_ptr<Request> boxRequest) : request(std::move(boxRequest)) {}
    ~Answerer() { request->Finish(DefaultButton(request->style)); }
    std::shared_ptr<Request> request; // shared: the closure may be freed after the worker went on
};

class GtkMessageBoxes : public IMessageBoxes {
public:
    int Show(const CString& text, const CString& caption, unsigned style) override
    {
        if (OnMainThread())
            return ShowDialog(text, caption, style);
        // GTK belongs to the main thread. A worker hands the box to the main thread's running
        // loop and waits for the answer; with no loop running there, nobody could show it.
        GMainContext* context = g_main_context_default();
        if (g_main_context_acquire(context)) {
            g_main_context_release(context);
            return ShowOnStandardError(text, caption, style);
        }
        auto request = std::make_shared<Request>(text, caption, style);
        auto answerer = std::make_shared<Answerer>(request);
        PostToUiThread([answerer] {
            Request& r = *answerer->request;
            r.Finish(ShowDialog(r.text, r.caption, r.style)); // text and caption live: the worker waits
        });
        answerer.reset();
        std::unique_lock wait(request->lock);
        request->finished.wait(wait, [&] { return request->done; });
        return request->answer;
    }
};

} // namespace

IMessageBoxes& IMessageBoxes::Default()
{
    static GtkMessageBoxes instance;
    return instance;
}

} // namespace platform
