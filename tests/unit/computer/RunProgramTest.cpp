#include "platform/shares/RunProgram.h"

#include <chrono>
#include <gtest/gtest.h>

using platform::RunProgram;

TEST(RunProgram, ArgumentsReachTheProgramAsTheyAre)
{
    auto run = RunProgram({"printf", "[%s]", "two words", "$HOME", "'; rm -rf x"});
    EXPECT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "[two words][$HOME]['; rm -rf x]");
}

TEST(RunProgram, InputExitCodeAndBothOutputStreams)
{
    auto run = RunProgram({"sh", "-c", "read a; echo out $a; echo err >&2; exit 7"}, "given\n");
    EXPECT_EQ(run.exitCode, 7);
    EXPECT_EQ(run.output, "out given\nerr\n");
    EXPECT_EQ(RunProgram({"sh", "-c", "echo $LC_ALL"}).output, "C\n");
}

TEST(RunProgram, AMissingProgramDoesNotStartAndASlowOneIsKilled)
{
    EXPECT_FALSE(RunProgram({"/nonexistent/program"}).started);

    auto begin = std::chrono::steady_clock::now();
    auto run = RunProgram({"sleep", "30"}, "", 200);
    EXPECT_TRUE(run.timedOut);
    EXPECT_EQ(run.exitCode, -1);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
}
