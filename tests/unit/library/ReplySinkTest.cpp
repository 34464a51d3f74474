#include "library/device/CDSMP_Command.h"
#include "library/device/ReplySink.h"

#include <gtest/gtest.h>

namespace {

class Receiver final : public CInformationMessage {
public:
    int CreatePayload() override { return 1; }
};

std::size_t Take(ReplySink& sink, std::string_view piece)
{
    std::string copy(piece);
    return TakeReplyPiece(copy.data(), 1, copy.size(), &sink);
}

} // namespace

TEST(ReplySink, TakesEachPieceUpToItsZeroByteAndJoinsSequencesCutBetweenPieces)
{
    using namespace std::string_view_literals;
    Receiver command;
    ReplySink sink;
    sink.command = &command;
    EXPECT_EQ(Take(sink, "ab\0cd"sv), 5u);
    EXPECT_EQ(Take(sink, "x\xc3"sv), 2u);
    EXPECT_EQ(Take(sink, "\xa9y"sv), 2u);
    EXPECT_EQ(command.csResponse, CString(u"abx\u00e9y"));
    EXPECT_EQ(sink.received, 9u);
}

TEST(ReplySink, RefusesAPieceThatWouldGrowTheReplyPastTheLimit)
{
    Receiver command;
    ReplySink sink;
    sink.command = &command;
    sink.received = kMaxReplyBytes - 2;
    EXPECT_EQ(Take(sink, "abc"), 0u);
    EXPECT_EQ(sink.received, kMaxReplyBytes - 2);
    EXPECT_EQ(Take(sink, "ab"), 2u);
    EXPECT_EQ(Take(sink, "c"), 0u);
    EXPECT_EQ(command.csResponse, CString(u"ab"));
    EXPECT_EQ(kMaxReplyBytes, 32u * 1024 * 1024);

    ReplySink noCommand;
    EXPECT_EQ(Take(noCommand, "a"), 0u);
    EXPECT_EQ(TakeReplyPiece(nullptr, 1, 0, nullptr), 0u);
}
