// The shell opens a text file with the desktop's application for it, without waiting.
#include "platform/core/Paths.h"
#include "platform/core/ProcessLauncher.h"
#include "platform/core/Services.h"
#include "platform/shell/Shell.h"

#include <gtest/gtest.h>

namespace {

class RecordedStarts : public platform::IProcessLauncher {
public:
    bool RunAndWait(const CString&, const CStringList&, int&, platform::ChildStop*) override { return false; }
    bool Start(const CString& programPath, const CStringList& arguments) override
    {
        std::string line = programPath.ToUtf8();
        for (const CString& argument : arguments)
            line += " | " + argument.ToUtf8();
        starts.push_back(line);
        return answer;
    }
    std::vector<std::string> starts;
    bool answer = true;
};

} // namespace

TEST(OpenTextFile, XdgOpenGetsTheFilesRealPathAsOneArgument)
{
    RecordedStarts launcher;
    platform::ScopedService<platform::IProcessLauncher> use(launcher);
    auto& shell = platform::IShell::Default();
    EXPECT_TRUE(shell.OpenTextFile(u"C:\\My Logs\\Tarrow.log"));
    launcher.answer = false;
    EXPECT_FALSE(shell.OpenTextFile(u"/var/log/plain.log"));
    EXPECT_EQ(launcher.starts, (std::vector<std::string>{
                                   "/usr/bin/xdg-open | " + platform::DriveCRoot() + "/My Logs/Tarrow.log",
                                   "/usr/bin/xdg-open | /var/log/plain.log",
                               }));
}
