// What loading the library does to the log: it starts the log anew unless another process's stream
// holds it, and a program that deletes once more after the load keeps one log for both its streams.
// Each program is a forked process that loads the library itself (dlopen), as a program does.
#include "CommandedChild.h"
#include "LogFileText.h"

#include "library/Quillet_Library.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

// A program process: 'L' loads the library, 'T' has the library log "Done.", 'D' deletes the log
// as a program's start-up does, 'O' opens the program's own stream, 'P' writes name + " started",
// 'C' closes the program's stream.
class ProgramProcess : public CommandedChild {
public:
    explicit ProgramProcess(const std::string& name) : CommandedChild([name](char letter) { Act(name, letter); }) {}

private:
    static void Act(const std::string& name, char letter)
    {
        static void* library = nullptr;
        static CLogStream program;
        switch (letter) {
        case 'L':
            library = dlopen(QUILLET_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL);
            break;
        case 'T':
            if (auto call = reinterpret_cast<decltype(&TestFunction)>(
                    library ? dlsym(library, "_Z12TestFunctioni7CStringRS_") : nullptr)) {
                CString text;
                call(99, CString(), text);
            }
            break;
        case 'D':
            DeleteLogFile(kLogFilePath);
            break;
        case 'O':
            program.Open(kLogFilePath);
            break;
        case 'P':
            program.Line(CString::FromUtf8(name + " started"));
            break;
        case 'C':
            program.Close();
            break;
        }
    }
};

void WriteEarlierRun()
{
    std::ofstream(LogPath()) << "3/4/2025 10:0:0 line of an earlier run\n";
}

} // namespace

TEST(LibraryLoad, StartsTheLogAnewAndOpensItsStream)
{
    WriteEarlierRun();
    ProgramProcess program("Tarrow");
    ASSERT_TRUE(program.Run('L'));
    EXPECT_EQ(FileText(LogPath()), "");
    ASSERT_TRUE(program.Run('T'));
    EXPECT_EQ(LogLines(), std::vector<std::string>{"Done."});
}

TEST(LibraryLoad, LeavesTheLogThatAnotherProcessHoldsAndWritesBehindIt)
{
    ProgramProcess wizard("Tarrow");
    ASSERT_TRUE(wizard.Run('O'));
    ASSERT_TRUE(wizard.Run('P'));
    const ino_t inode = LogInode();

    ProgramProcess network("TarrowNetwork");
    ASSERT_TRUE(network.Run('L'));
    ASSERT_TRUE(network.Run('T'));
    ASSERT_TRUE(wizard.Run('P'));
    EXPECT_EQ(LogInode(), inode);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"Tarrow started", "Done.", "Tarrow started"}));
}

TEST(LibraryLoad, AProgramThatDeletesAfterTheLoadKeepsOneLogThatALaterProcessCannotErase)
{
    WriteEarlierRun();
    ProgramProcess wizard("Tarrow");
    ASSERT_TRUE(wizard.Run('L'));
    ASSERT_TRUE(wizard.Run('T'));
    ASSERT_TRUE(wizard.Run('D')); // the library's own stream does not keep the program from it
    EXPECT_EQ(LogLines(), std::vector<std::string>{});
    ASSERT_TRUE(wizard.Run('O'));
    ASSERT_TRUE(wizard.Run('P'));
    const ino_t inode = LogInode();

    // The program closes its stream, starts a second program that loads the library too, and
    // waits for it: the library's stream alone keeps the log.
    ASSERT_TRUE(wizard.Run('C'));
    {
        ProgramProcess network("TarrowNetwork");
        ASSERT_TRUE(network.Run('L'));
        ASSERT_TRUE(network.Run('O'));
        ASSERT_TRUE(network.Run('P'));
    }
    ASSERT_TRUE(wizard.Run('O'));
    ASSERT_TRUE(wizard.Run('T'));
    ASSERT_TRUE(wizard.Run('P'));
    EXPECT_EQ(LogInode(), inode);
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{"Tarrow started", "TarrowNetwork started", "Done.", "Tarrow started"}));
}
