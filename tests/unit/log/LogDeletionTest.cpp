// Starting the log anew: never from under another process's stream, always for this process.
#include "CommandedChild.h"
#include "LogFileText.h"

#include <gtest/gtest.h>
#include <unistd.h>

TEST(LogDeletion, RemovesAFileThatNoStreamHoldsAndALinkInItsPlace)
{
    DeleteLogFile(kLogFilePath); // missing: nothing happens
    std::ofstream(LogPath()) << "earlier run\n";
    DeleteLogFile(kLogFilePath);
    EXPECT_EQ(access(LogPath().c_str(), F_OK), -1);

    const std::string target = platform::DriveCRoot() + "/target.txt";
    std::ofstream(target) << "kept";
    ASSERT_EQ(symlink(target.c_str(), LogPath().c_str()), 0);
    DeleteLogFile(kLogFilePath);
    struct stat info {};
    EXPECT_EQ(lstat(LogPath().c_str(), &info), -1);
    EXPECT_EQ(FileText(target), "kept");
}

TEST(LogDeletion, ThisProcessesStreamsDoNotBlockItAndKeepWritingToTheLog)
{
    // The start-up order of a program: the library's stream is open when the program deletes.
    CLogStream library;
    library.Open(kLogFilePath);
    library.Line(u"library at load");
    const ino_t inode = LogInode();

    DeleteLogFile(kLogFilePath);
    EXPECT_EQ(LogLines(), std::vector<std::string>{});
    CLogStream program;
    program.Open(kLogFilePath);
    program.Line(u"program");
    library.Line(u"library later");
    EXPECT_EQ(LogInode(), inode);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"program", "library later"}));

    // Both streams hold the file again: another process cannot delete it.
    CommandedChild other([](char) { DeleteLogFile(kLogFilePath); });
    ASSERT_TRUE(other.Run('D'));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"program", "library later"}));
}

TEST(LogDeletion, AnotherProcessesStreamBlocksItAndItsLinesStillArrive)
{
    CommandedChild holder([](char letter) {
        static CLogStream stream;
        if (letter == 'O')
            stream.Open(kLogFilePath);
        else
            stream.Line(letter == 'F' ? u"first from holder" : u"later from holder");
    });
    ASSERT_TRUE(holder.Run('O'));
    ASSERT_TRUE(holder.Run('F'));
    const ino_t inode = LogInode();

    DeleteLogFile(kLogFilePath);
    ASSERT_TRUE(holder.Run('L'));
    EXPECT_EQ(LogInode(), inode);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"first from holder", "later from holder"}));
}
