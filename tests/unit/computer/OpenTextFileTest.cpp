// The shell opens a text file with the desktop's application for it, without waiting.
#include "platform/core/Paths.h"
#include "platform/core/RunProgram.h"
#include "platform/core/Services.h"
#include "platform/shell/Shell.h"

#include <gtest/gtest.h>

namespace {

class RecordedStarts : public platform::IProgramRunner {
public:
    platform::ProgramResult Run(const std::vector<std::string>& arguments, const std::string&,
                                platform::RunOptions options) override
    {
        std::string line = arguments.at(0);
        for (std::size_t i = 1; i < arguments.size(); ++i)
            line += " | " + arguments[i];
        if (options.wait == platform::RunOptions::Wait::UntilEnd)
            line += " (waited for)";
        starts.push_back(line);
        platform::ProgramResult result;
        result.started = answer;
        return result;
    }
    std::vector<std::string> starts;
    bool answer = true;
};

} // namespace

TEST(OpenTextFile, XdgOpenGetsTheFilesRealPathAsOneArgument)
{
    RecordedStarts launcher;
    platform::ScopedService<platform::IProgramRunner> use(launcher);
    auto& shell = platform::IShell::Default();
    EXPECT_TRUE(shell.OpenTextFile(u"C:\\My Logs\\Tarrow.log"));
    launcher.answer = false;
    EXPECT_FALSE(shell.OpenTextFile(u"/var/log/plain.log"));
    EXPECT_EQ(launcher.starts, (std::vector<std::string>{
                                   "/usr/bin/xdg-open | " + platform::DriveCRoot() + "/My Logs/Tarrow.log",
                                   "/usr/bin/xdg-open | /var/log/plain.log",
                               }));
}
