// The page host on WebKitGTK 4.1: one GTK window with one web view per page.
//
// Element access runs JavaScript in the page and waits for its answer in a nested main loop
// (bounded by a time-out). A user script added to every page at document start defines the
// property helpers and reports every click on an element with an id through one script-message
// channel. All views are related to one hidden anchor view, so the pages of a run share one web
// process (a new page loads in tens of milliseconds instead of hundreds).
#include "PageScheme.h"
#include "PageWindowTesting.h"
#include "UiThread.h"

#include "platform/core/Paths.h"

#include <cairo.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace platform {

namespace {

constexpr const char* kClickChannel = "tarrowClick";
constexpr guint kScriptTimeoutMs = 5000;
constexpr guint kLoadTimeoutMs = 10000;

// Property helpers indexed by PageProperty; click reporting. Anchors never navigate: their
// clicks belong to the program.
constexpr const char* kPageScript = R"JS((function () {
  function text(v) { return v === undefined || v === null ? "" : String(v); }
  var get = [
    function (e) { return text(e.value); },
    function (e) { return text(e.innerText); },
    function (e) { return e.disabled ? "disabled" : ""; },
    function (e) { return e.checked ? "checked" : ""; },
    function (e) { return text(e.getAttribute("src")); },
    function (e) { return text(e.selectedIndex); }
  ];
  var set = [
    function (e, t) { e.value = t; },
    function (e, t) { e.innerText = t; },
    function (e, t) { e.disabled = t !== ""; },
    function (e, t) { e.checked = t !== ""; },
    function (e, t) { e.setAttribute("src", t); },
    function (e, t) { e.selectedIndex = parseInt(t, 10); }
  ];
  window.__tarrowRead = function (fields) {
    return fields.map(function (f) { var e = document.getElementById(f[0]); return e ? get[f[1]](e) : null; });
  };
  window.__tarrowWrite = function (fields) {
    return fields.map(function (f) { var e = document.getElementById(f[0]); if (!e) return false; set[f[1]](e, f[2]); return true; });
  };
  document.addEventListener("click", function (event) {
    for (var node = event.target; node && node !== document; node = node.parentNode) {
      if (node.id) {
        if (node.tagName === "A") event.preventDefault();
        window.webkit.messageHandlers.tarrowClick.postMessage(node.id);
        return;
      }
    }
  }, true);
})();)JS";

// A JavaScript string literal for any text: everything outside plain ASCII is escaped.
std::string Quote(const CString& text)
{
    std::string quoted = "\"";
    for (char16_t ch : text.str()) {
        if (ch >= 0x20 && ch < 0x7F && ch != u'"' && ch != u'\\') {
            quoted += static_cast<char>(ch);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(ch));
            quoted += escape;
        }
    }
    return quoted + "\"";
}

std::string FieldList(std::span<PageField> fields, bool withText)
{
    std::string list = "[";
    for (const PageField& field : fields) {
        list += (list.size() > 1 ? ",[" : "[") + Quote(field.id) + "," + std::to_string(static_cast<int>(field.property));
        list += (withText ? "," + Quote(field.text) : std::string()) + "]";
    }
    return list + "]";
}

class WebKitPageWindow;

// What all windows of the process share.
struct Shared {
    WebKitUserContentManager* content = nullptr;
    WebKitWebView* anchor = nullptr;
    std::vector<WebKitPageWindow*> running; // modal loops, innermost last
};

Shared* TheShared();

// Waits in a nested main loop until done() holds or the time-out passes.
template <typename Done>
bool Spin(Done done, guint timeoutMs, GCancellable* cancel = nullptr)
{
    struct Timer {
        GCancellable* cancel;
        bool expired = false;
    } timer{cancel};
    guint source = g_timeout_add(timeoutMs, [](gpointer data) -> gboolean {
        auto* t = static_cast<Timer*>(data);
        t->expired = true;
        if (t->cancel)
            g_cancellable_cancel(t->cancel); // the callback still comes, with an error
        return G_SOURCE_REMOVE;
    }, &timer);
    while (!done() && !(timer.expired && !cancel))
        g_main_context_iteration(nullptr, TRUE);
    if (!timer.expired)
        g_source_remove(source);
    return done() && !timer.expired;
}

class WebKitPageWindow : public IPageWindow {
public:
    explicit WebKitPageWindow(IPageEvents& events) : m_events(events), m_self(std::make_shared<WebKitPageWindow*>(this))
    {
        Shared* shared = TheShared();
        m_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_resizable(GTK_WINDOW(m_window), FALSE);
        m_view = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view", shared->anchor,
                                              "user-content-manager", shared->content, nullptr));
        gtk_container_add(GTK_CONTAINER(m_window), GTK_WIDGET(m_view));
        // A view that loads before it has a window of its own waits about half a second before
        // it lays the page out; realized (not yet shown) it loads a page in some 20 ms.
        gtk_widget_realize(GTK_WIDGET(m_view));
        g_signal_connect(m_window, "key-press-event", G_CALLBACK(&WebKitPageWindow::OnKey), this);
        g_signal_connect(m_window, "delete-event", G_CALLBACK(&WebKitPageWindow::OnDelete), this);
        g_signal_connect(m_view, "load-changed", G_CALLBACK(&WebKitPageWindow::OnLoadChanged), this);
        g_signal_connect(m_view, "load-failed", G_CALLBACK(&WebKitPageWindow::OnLoadFailed), this);
    }

    ~WebKitPageWindow() override
    {
        g_signal_handlers_disconnect_by_data(m_view, this);
        g_signal_handlers_disconnect_by_data(m_window, this);
        gtk_widget_destroy(m_window);
    }

    IPageEvents& Events() { return m_events; }
    WebKitWebView* View() { return m_view; }

    void SetCaption(const CString& caption) override { gtk_window_set_title(GTK_WINDOW(m_window), caption.ToUtf8().c_str()); }
    void SetIcon(const CString& imagePath) override
    {
        gtk_window_set_icon_from_file(GTK_WINDOW(m_window), ToPosixPathOrMissing(imagePath).c_str(), nullptr);
    }
    void SetRightToLeft(bool rightToLeft) override
    {
        m_rightToLeft = rightToLeft;
        gtk_widget_set_direction(m_window, rightToLeft ? GTK_TEXT_DIR_RTL : GTK_TEXT_DIR_LTR);
        gtk_widget_set_direction(GTK_WIDGET(m_view), rightToLeft ? GTK_TEXT_DIR_RTL : GTK_TEXT_DIR_LTR);
        if (m_load == Load::Loaded)
            ApplyDirection();
    }
    // The window manager draws the frame outside the size that GTK sets (X11), so the client
    // area is the whole size asked for: no border or caption to add.
    ScreenMetrics Metrics() override
    {
        double dpi = gdk_screen_get_resolution(gdk_screen_get_default());
        int whole = dpi > 0 ? static_cast<int>(dpi) : 96;
        return {whole, whole, 0, 0};
    }
    void MoveWindow(const ScreenRect& outer) override
    {
        gtk_widget_set_size_request(GTK_WIDGET(m_view), outer.width, outer.height);
        gtk_window_move(GTK_WINDOW(m_window), outer.left, outer.top);
        m_size = outer;
    }
    ScreenRect GetWindowRect() override
    {
        ScreenRect rect = m_size;
        gtk_window_get_position(GTK_WINDOW(m_window), &rect.left, &rect.top);
        return rect;
    }

    int Navigate(const CString& filePath) override
    {
        const std::string uri = PageUri(filePath);
        if (uri.empty())
            return 0;
        m_load = Load::Loading;
        webkit_web_view_load_uri(m_view, uri.c_str());
        return 1;
    }

    bool GetProperty(const CString& id, PageProperty property, CString& text) override
    {
        PageField field{id, property, text};
        ReadFields({&field, 1});
        text = field.text;
        return field.found;
    }
    bool SetProperty(const CString& id, PageProperty property, const CString& text) override
    {
        PageField field{id, property, text};
        return WriteFields({&field, 1}) == 1;
    }
    bool SetAttribute(const CString& id, const CString& name, const CString& value) override
    {
        // className is the DOM property behind the class attribute.
        std::string assign = name == u"className" ? "e.className = " + Quote(value)
                                                  : "e.setAttribute(" + Quote(name) + ", " + Quote(value) + ")";
        return Call("var e = document.getElementById(" + Quote(id) + "); if (!e) return false; " + assign + "; return true;")
            == "true";
    }
    bool Focus(const CString& id) override
    {
        gtk_widget_grab_focus(GTK_WIDGET(m_view));
        return Call("var e = document.getElementById(" + Quote(id) + "); if (!e) return false; e.focus(); return true;")
            == "true";
    }

    int ReadFields(std::span<PageField> fields) override
    {
        JSCValue* values = Evaluate("return __tarrowRead(" + FieldList(fields, false) + ");");
        int found = 0;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            fields[i].found = false;
            if (!values)
                continue;
            JSCValue* value = jsc_value_object_get_property_at_index(values, static_cast<guint>(i));
            if (jsc_value_is_string(value)) {
                gchar* utf8 = jsc_value_to_string(value);
                fields[i].text = CString::FromUtf8(utf8);
                fields[i].found = true;
                ++found;
                g_free(utf8);
            }
            g_object_unref(value);
        }
        if (values)
            g_object_unref(values);
        return found;
    }
    int WriteFields(std::span<PageField> fields) override
    {
        JSCValue* values = Evaluate("return __tarrowWrite(" + FieldList(fields, true) + ");");
        int found = 0;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            fields[i].found = false;
            if (!values)
                continue;
            JSCValue* value = jsc_value_object_get_property_at_index(values, static_cast<guint>(i));
            fields[i].found = jsc_value_to_boolean(value);
            found += fields[i].found ? 1 : 0;
            g_object_unref(value);
        }
        if (values)
            g_object_unref(values);
        return found;
    }

    int RunModal() override
    {
        if (m_ended)
            return m_result;
        Shared* shared = TheShared();
        gtk_widget_show_all(m_window);
        gtk_window_present(GTK_WINDOW(m_window));
        gtk_widget_grab_focus(GTK_WIDGET(m_view));
        shared->running.push_back(this);
        m_loop = g_main_loop_new(nullptr, FALSE);
        g_main_loop_run(m_loop);
        g_main_loop_unref(m_loop);
        m_loop = nullptr;
        std::erase(shared->running, this);
        return m_result;
    }
    void EndDialog(int result) override
    {
        if (m_ended)
            return;
        m_ended = true;
        m_result = result;
        gtk_widget_hide(m_window);
        // Unmapped now, not at the next turn of the loop: the caller may block first (the
        // network search runs while the ended page's loop waits for it). A sync, not a flush:
        // the X server has then carried the unmap out, not only received it.
        gdk_display_sync(gtk_widget_get_display(m_window));
        if (m_loop)
            g_main_loop_quit(m_loop);
    }
    bool IsEnded() const override { return m_ended; }

    void PostMessage(unsigned message, std::uintptr_t, std::intptr_t) override
    {
        std::weak_ptr<WebKitPageWindow*> target = m_self;
        PostToUiThread([target, message] {
            if (auto window = target.lock())
                (*window)->m_events.OnPageMessage(message);
        });
    }

    // Runs a function body in the page and waits for its value; null on failure or time-out.
    JSCValue* Evaluate(const std::string& body)
    {
        if (!WaitLoaded())
            return nullptr;
        struct Pending {
            JSCValue* value = nullptr;
            bool done = false;
        } pending;
        GCancellable* cancel = g_cancellable_new();
        webkit_web_view_call_async_javascript_function(
            m_view, body.c_str(), -1, nullptr, nullptr, nullptr, cancel,
            [](GObject* source, GAsyncResult* result, gpointer data) {
                auto* p = static_cast<Pending*>(data);
                p->value = webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(source), result, nullptr);
                p->done = true;
            },
            &pending);
        // The callback always comes (a cancel makes it report an error), so pending outlives it.
        Spin([&] { return pending.done; }, kScriptTimeoutMs, cancel);
        g_object_unref(cancel);
        return pending.value;
    }

    // The value as text ("true", a string, JSON); nothing on failure.
    std::optional<std::string> Call(const std::string& body)
    {
        JSCValue* value = Evaluate(body);
        if (!value)
            return std::nullopt;
        gchar* json = jsc_value_is_string(value) ? jsc_value_to_string(value) : jsc_value_to_json(value, 0);
        std::string text = json ? json : "";
        g_free(json);
        g_object_unref(value);
        return text;
    }

private:
    enum class Load { None, Loading, Loaded, Failed };

    bool WaitLoaded()
    {
        if (m_load == Load::Loading)
            Spin([&] { return m_load != Load::Loading; }, kLoadTimeoutMs);
        return m_load == Load::Loaded;
    }

    void ApplyDirection()
    {
        std::string script = std::string("document.documentElement.dir = \"") + (m_rightToLeft ? "rtl" : "ltr") + "\";";
        webkit_web_view_evaluate_javascript(m_view, script.c_str(), -1, nullptr, nullptr, nullptr, nullptr, nullptr);
    }

    static gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer data)
    {
        auto* window = static_cast<WebKitPageWindow*>(data);
        switch (event->keyval) {
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
        case GDK_KEY_ISO_Enter:
            window->m_events.OnOK(); // reads the page; never closes it
            return FALSE;            // and the page gets the key: a focused button is pressed
        case GDK_KEY_Escape:
            window->m_events.OnCancel();
            return TRUE;
        default:
            return FALSE;
        }
    }

    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data)
    {
        static_cast<WebKitPageWindow*>(data)->m_events.OnCancel();
        return TRUE; // the page object destroys the window
    }

    static void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer data)
    {
        auto* window = static_cast<WebKitPageWindow*>(data);
        if (event != WEBKIT_LOAD_FINISHED || window->m_load == Load::Failed)
            return;
        // Pages set their own dir from the language; the program's choice wins either way.
        if (window->m_rightToLeft)
            window->ApplyDirection();
        window->m_load = Load::Loaded;
    }

    static gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, gpointer data)
    {
        static_cast<WebKitPageWindow*>(data)->m_load = Load::Failed;
        return FALSE;
    }

    IPageEvents& m_events;
    GtkWidget* m_window = nullptr;
    WebKitWebView* m_view = nullptr;
    GMainLoop* m_loop = nullptr;
    Load m_load = Load::None;
    bool m_ended = false;
    bool m_rightToLeft = false;
    int m_result = 0;
    ScreenRect m_size;
    std::shared_ptr<WebKitPageWindow*> m_self; // posted messages hold it weakly
};

void OnClickMessage(WebKitUserContentManager*, WebKitJavascriptResult* result, gpointer data)
{
    auto* shared = static_cast<Shared*>(data);
    JSCValue* value = webkit_javascript_result_get_js_value(result);
    // Pages are modal: only the innermost running page can be clicked.
    if (shared->running.empty() || !jsc_value_is_string(value))
        return;
    gchar* id = jsc_value_to_string(value);
    CString element = CString::FromUtf8(id);
    g_free(id);
    shared->running.back()->Events().OnPageClick(element);
}

Shared* TheShared()
{
    static Shared* shared = [] {
        auto* s = new Shared; // lives for the process, as the web process does
        RegisterPageScheme(webkit_web_context_get_default());
        s->content = webkit_user_content_manager_new();
        webkit_user_content_manager_add_script(
            s->content, webkit_user_script_new(kPageScript, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                                               WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr));
        // Connected before the channel opens, so no click is lost.
        g_signal_connect(s->content, (std::string("script-message-received::") + kClickChannel).c_str(),
                         G_CALLBACK(&OnClickMessage), s);
        webkit_user_content_manager_register_script_message_handler(s->content, kClickChannel);
        s->anchor = WEBKIT_WEB_VIEW(g_object_ref_sink(g_object_new(WEBKIT_TYPE_WEB_VIEW, "user-content-manager", s->content, nullptr)));
        return s;
    }();
    return shared;
}

WebKitPageWindow* AsWebKit(IPageWindow& window)
{
    return dynamic_cast<WebKitPageWindow*>(&window);
}

class WebKitPageHost : public IPageHost {
public:
    // Null without a display.
    std::unique_ptr<IPageWindow> CreatePageWindow(IPageEvents& events) override
    {
        // Accelerated compositing costs start-up time and memory and gains nothing for forms.
        setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", 0);
        if (!gtk_init_check(nullptr, nullptr))
            return nullptr;
        return std::make_unique<WebKitPageWindow>(events);
    }
};

} // namespace

IPageHost& IPageHost::Default()
{
    static WebKitPageHost host;
    return host;
}

bool EvaluateInPage(IPageWindow& window, const std::string& functionBody, std::string& result)
{
    WebKitPageWindow* page = AsWebKit(window);
    if (!page)
        return false;
    auto value = page->Call(functionBody);
    if (!value)
        return false;
    result = *value;
    return true;
}

bool WaitForPaint(IPageWindow& window)
{
    WebKitPageWindow* page = AsWebKit(window);
    return page && page->Call("return new Promise(function (done) { requestAnimationFrame(function () {"
                              " requestAnimationFrame(function () { done(true); }); }); });") == "true";
}

bool SavePageSnapshot(IPageWindow& window, const std::string& pngPath)
{
    WebKitPageWindow* page = AsWebKit(window);
    if (!page)
        return false;
    struct Pending {
        cairo_surface_t* surface = nullptr;
        bool done = false;
    } pending;
    GCancellable* cancel = g_cancellable_new();
    webkit_web_view_get_snapshot(
        page->View(), WEBKIT_SNAPSHOT_REGION_VISIBLE, WEBKIT_SNAPSHOT_OPTIONS_NONE, cancel,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            auto* p = static_cast<Pending*>(data);
            p->surface = webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(source), result, nullptr);
            p->done = true;
        },
        &pending);
    Spin([&] { return pending.done; }, kScriptTimeoutMs, cancel);
    g_object_unref(cancel);
    if (!pending.surface)
        return false;
    bool written = cairo_surface_write_to_png(pending.surface, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(pending.surface);
    return written;
}

} // namespace platform
