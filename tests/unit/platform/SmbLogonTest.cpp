// The network logon's pieces without a server: NTLMv2 against the published example of the
// protocol's documentation, the server's tokens, and servers that fail the session set-up.
#include "platform/security/NtlmAuthentication.h"
#include "platform/security/Smb2SessionSetup.h"
#include "platform/security/Spnego.h"

#include <arpa/inet.h>
#include <chrono>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using platform::ntlm::Bytes;

Bytes Hex(const char* text)
{
    Bytes bytes;
    for (const char* at = text; at[0] && at[1]; at += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(at, 2), nullptr, 16)));
    return bytes;
}

// An attribute-value pair with a UTF-16 name.
void PutPair(Bytes& out, std::uint16_t id, const std::u16string& value)
{
    out.insert(out.end(), {static_cast<std::uint8_t>(id), 0, static_cast<std::uint8_t>(value.size() * 2), 0});
    for (char16_t unit : value)
        out.insert(out.end(), {static_cast<std::uint8_t>(unit), static_cast<std::uint8_t>(unit >> 8)});
}

// The example's challenge: server challenge 0123456789abcdef, the names "Domain" and "Server".
platform::ntlm::Challenge ExampleChallenge()
{
    platform::ntlm::Challenge challenge;
    const Bytes server = Hex("0123456789abcdef");
    std::copy(server.begin(), server.end(), challenge.serverChallenge.begin());
    PutPair(challenge.targetInfo, 2, u"Domain");
    PutPair(challenge.targetInfo, 1, u"Server");
    challenge.targetInfo.insert(challenge.targetInfo.end(), 4, 0);
    return challenge;
}

// A challenge message around target information.
Bytes ChallengeMessage(const Bytes& targetInfo)
{
    Bytes message = {'N', 'T', 'L', 'M', 'S', 'S', 'P', 0, 2, 0, 0, 0};
    message.resize(48, 0);
    message[24] = 0x42;
    message[40] = static_cast<std::uint8_t>(targetInfo.size());
    message[42] = message[40];
    message[44] = 48;
    message.insert(message.end(), targetInfo.begin(), targetInfo.end());
    return message;
}

} // namespace

TEST(NtlmTest, TheVersion2ResponsesAreThoseOfThePublishedExample)
{
    platform::ntlm::ClientChoice choice;
    choice.clientChallenge.fill(0xaa);
    const auto responses =
        platform::ntlm::NtlmV2Responses(ExampleChallenge(), u"User", u"Domain", u"Password", choice);
    ASSERT_TRUE(responses);
    EXPECT_EQ(responses->lm, Hex("86c35097ac9cec102554764a57cccc19aaaaaaaaaaaaaaaa"));
    ASSERT_GE(responses->nt.size(), 16u);
    EXPECT_EQ(Bytes(responses->nt.begin(), responses->nt.begin() + 16), Hex("68cd0ab851e51c96aabc927bebef6a1c"));

    // A server that sends its time gets its time back and no LM response.
    platform::ntlm::Challenge timed = ExampleChallenge();
    timed.timestamp = 0x0102030405060708;
    const auto timedResponses = platform::ntlm::NtlmV2Responses(timed, u"User", u"Domain", u"Password", choice);
    ASSERT_TRUE(timedResponses);
    EXPECT_EQ(timedResponses->lm, Bytes(24, 0));
    EXPECT_EQ(Bytes(timedResponses->nt.begin() + 24, timedResponses->nt.begin() + 32), Hex("0807060504030201"));
}

TEST(NtlmTest, TheServersTokensAreReadAndBrokenOnesRefused)
{
    Bytes info;
    PutPair(info, 7, u"\u0201\u0403\u0605\u0807"); // MsvAvTimestamp
    info.insert(info.end(), 4, 0);
    const Bytes message = ChallengeMessage(info);
    const auto challenge = platform::ntlm::ParseChallenge(message);
    ASSERT_TRUE(challenge);
    EXPECT_EQ(challenge->serverChallenge[0], 0x42);
    EXPECT_EQ(challenge->timestamp, 0x0807060504030201u);
    EXPECT_EQ(challenge->targetInfo, info);
    // Target information that leaves the message, or a pair that leaves the information.
    EXPECT_FALSE(platform::ntlm::ParseChallenge(Bytes(message.begin(), message.end() - 1)));
    Bytes longPair = info;
    longPair[2] = 0x40;
    EXPECT_FALSE(platform::ntlm::ParseChallenge(ChallengeMessage(longPair)));
    EXPECT_FALSE(platform::ntlm::ParseChallenge(Bytes(message.begin(), message.begin() + 47)));

    // The server's NegTokenResp, with a long form length around the message; cut, it holds none.
    Bytes padded = message;
    padded.resize(300, 0);
    const Bytes token = platform::spnego::NextToken(padded);
    EXPECT_EQ(platform::spnego::MechanismMessage(token), padded);
    EXPECT_FALSE(platform::spnego::MechanismMessage(Bytes(token.begin(), token.end() - 1)));
    EXPECT_FALSE(platform::spnego::MechanismMessage(Hex("a18480000000")));
    EXPECT_EQ(platform::spnego::MechanismMessage(message), message); // bare NTLM
}

TEST(SmbSessionTest, AServerThatFailsTheSetUpIsNeverTakenForALogon)
{
    using Kind = platform::SessionVerdict::Kind;
    const auto setUp = [](int port) {
        return platform::SetUpSmbSession(port, u"user", u"DOMAIN", u"password", 300).kind;
    };
    int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), size), 0);
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size), 0);
    const int port = ntohs(address.sin_port);
    ASSERT_EQ(listen(listener, 4), 0);

    // Nothing listens yet: the connection is refused.
    EXPECT_EQ(setUp(1), Kind::Unreachable);
    // A server that never answers is given up after the time-out.
    std::thread silent([&] {
        int client = accept(listener, nullptr, nullptr);
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        close(client);
    });
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(setUp(port), Kind::Unreachable);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(650));
    silent.join();
    // A server that answers with something that is no SMB 2 reply, or with a length beyond any.
    for (const Bytes& answer : {Hex("00000004ffffffff"), Hex("00ffffff")}) {
        std::thread wrong([&] {
            int client = accept(listener, nullptr, nullptr);
            char request[512];
            (void)!recv(client, request, sizeof request, 0);
            (void)!send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            close(client);
        });
        EXPECT_EQ(setUp(port), answer.size() == 8 ? Kind::BadReply : Kind::Unreachable);
        wrong.join();
    }
    close(listener);
}
