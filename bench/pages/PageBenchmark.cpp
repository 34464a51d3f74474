// Start-up to the first painted page, and page-to-page changes, on the WebKitGTK host: the
// medians over several cold starts (goals: under 1 s and under 150 ms).
//
// Each start is a process of its own (this program with --once), so the web process starts cold
// every time. The start-up time runs from the parent's fork to the child's first painted page
// (one monotonic clock for both), so it includes loading the program and starting GTK.
// Usage: bench_pages [RUNS]   (default 5; needs a display, e.g. xvfb-run)
#include "platform/ui/PageWindowTesting.h"
#include "platform/ui/UiThread.h"
#include "wizard/CBaseDlg.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char16_t* kPages[] = {u"Welcome", u"SelectOp", u"FolderName", u"UserCredentials", u"ScanOptions",
                                      u"ConfirmAdd", u"Progress", u"Finish"};

double NowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A page that ends itself once it has been painted, noting the time.
class TimedPage : public CBaseDlg {
public:
    TimedPage(WizardState& state, const char16_t* name) : CBaseDlg(state, name) {}
    double paintedAt = 0;

protected:
    int OnInitDialog() override
    {
        int found = CBaseDlg::OnInitDialog();
        platform::PostToUiThread([this] {
            if (Window() && platform::WaitForPaint(*Window()))
                paintedAt = NowMs();
            EndDialog(platform::kPageOk);
        });
        return found;
    }
};

// One cold start: prints "first <ms since the epoch of the clock>" and one "change <ms>" per page.
int Once()
{
    WizardState state;
    state.moduleFolder = CString::FromUtf8(TARROW_PAGES_BIN_DIR);
    state.languageCode = u"ENWW";
    double ended = 0;
    bool first = true;
    for (const char16_t* name : kPages) {
        TimedPage page(state, name);
        page.DoModal();
        if (page.paintedAt == 0) {
            std::fprintf(stderr, "page %s was not painted\n", CString(name).ToUtf8().c_str());
            return 1;
        }
        if (first)
            std::printf("first %.3f\n", page.paintedAt);
        else
            std::printf("change %.3f\n", page.paintedAt - ended);
        first = false;
        ended = NowMs();
    }
    return 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--once") == 0)
        return Once();
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<double> startups, changes;
    for (int run = 0; run < runs; ++run) {
        int pipeFds[2];
        if (pipe(pipeFds) != 0)
            return 1;
        const double forked = NowMs();
        pid_t child = fork();
        if (child == 0) {
            dup2(pipeFds[1], STDOUT_FILENO);
            close(pipeFds[0]);
            close(pipeFds[1]);
            char* const arguments[] = {argv[0], const_cast<char*>("--once"), nullptr};
            execv(argv[0], arguments);
            _exit(127);
        }
        close(pipeFds[1]);
        std::string output;
        char buffer[512];
        for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
            output.append(buffer, static_cast<std::size_t>(n));
        close(pipeFds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "run %d failed\n", run + 1);
            return 1;
        }
        for (std::size_t at = 0; at < output.size();) {
            std::size_t end = output.find('\n', at);
            std::string line = output.substr(at, end - at);
            if (line.rfind("first ", 0) == 0)
                startups.push_back(std::atof(line.c_str() + 6) - forked);
            else if (line.rfind("change ", 0) == 0)
                changes.push_back(std::atof(line.c_str() + 7));
            at = end == std::string::npos ? output.size() : end + 1;
        }
    }
    std::printf("start-up to first painted page: median %.0f ms over %zu starts (goal < 1000 ms)\n",
                Median(startups), startups.size());
    std::printf("page-to-page change:            median %.0f ms over %zu changes (goal < 150 ms)\n",
                Median(changes), changes.size());
    return 0;
}
