// SSPLogonUser against the test provider: the handshake's steps and tokens, the completion
// statuses, the failures written to standard error, and what is released on every path.
#include "TestSecurityProvider.h"

#include "frontend/SspLogon.h"

#include "platform/core/SystemVersion.h"

#include <gtest/gtest.h>

using namespace credentialstest;

namespace {

const std::vector<std::string> kReleases = {"delete context 11", "free credentials 1", "delete context 22",
                                            "free credentials 2", "unload"};

class SspLogonTest : public ::testing::Test {
protected:
    // Runs SSPLogonUser with the expected password unless told otherwise; keeps standard error.
    int Logon(const std::u16string& password = u"Right-Pw 1")
    {
        platform::SetLastError(0);
        ::testing::internal::CaptureStderr();
        int result = SSPLogonUser(u"OFFICE", u"anna", password);
        errors = ::testing::internal::GetCapturedStderr();
        lastError = platform::GetLastError();
        return result;
    }
    // The events after the package query, without the releases at the end.
    std::vector<std::string> Steps() const
    {
        std::vector<std::string> steps(provider.events.begin() + 3, provider.events.end());
        for (std::size_t i = 0; i < kReleases.size() && !steps.empty(); ++i)
            steps.pop_back();
        return steps;
    }
    std::vector<std::string> Releases() const
    {
        std::size_t n = std::min(kReleases.size(), provider.events.size());
        return std::vector<std::string>(provider.events.end() - static_cast<std::ptrdiff_t>(n), provider.events.end());
    }

    TestSecurityProvider provider;
    std::string errors;
    int lastError = 0;
};

// A system of one version for the scope.
class FixedVersion : public platform::ISystemVersion {
public:
    explicit FixedVersion(platform::OsVersion version) : m_version(version), m_use(*this) {}
    bool GetVersion(platform::OsVersion& version) override
    {
        version = m_version;
        return true;
    }

private:
    platform::OsVersion m_version;
    platform::ScopedService<platform::ISystemVersion> m_use;
};

} // namespace

TEST_F(SspLogonTest, FourStepsPassEachTokenOnAndAcceptTheRightPassword)
{
    EXPECT_EQ(Logon(), 1);
    EXPECT_EQ(errors, "");
    EXPECT_EQ(provider.loadedNames, std::vector<std::string>{"secur32.dll"});
    EXPECT_EQ(provider.events,
              (std::vector<std::string>{"load secur32.dll", "query NTLM", "free package info",
                                        "acquire outbound NTLM identity", "initialize first",
                                        "acquire inbound NTLM", "accept NEGOTIATE first", "initialize CHALLENGE",
                                        "accept AUTHENTICATE", "delete context 11", "free credentials 1",
                                        "delete context 22", "free credentials 2", "unload"}));
    EXPECT_EQ(provider.identity.user, u"anna");
    EXPECT_EQ(provider.identity.domain, u"OFFICE");
    EXPECT_EQ(provider.identity.password, u"Right-Pw 1");
    EXPECT_TRUE(provider.identity.lengthsMatch);
    EXPECT_EQ(provider.identity.flags, 2u);
    EXPECT_TRUE(provider.firstOutputZeroed);
    using Pair = std::pair<std::uint32_t, std::uint32_t>;
    EXPECT_EQ(provider.requestAndDataRep, (std::vector<Pair>{{0, 16}, {0, 16}, {0, 16}, {0, 16}}));
}

TEST_F(SspLogonTest, AWrongPasswordIsRefusedByTheServersLastStep)
{
    EXPECT_EQ(Logon(u"Wrong-Pw"), 0);
    EXPECT_EQ(errors, "AcceptSecurityContext failed with 8009030C\n");
    EXPECT_EQ(lastError, 1326);
    EXPECT_EQ(Releases(), kReleases);
}

TEST_F(SspLogonTest, TheNt4SystemLoadsTheOlderLibrary)
{
    FixedVersion nt4({4, 0, 1381, platform::kPlatformWin32Nt});
    EXPECT_EQ(Logon(), 1);
    EXPECT_EQ(provider.loadedNames, std::vector<std::string>{"security.dll"});
    // 4.0 of the other family is not NT 4.0.
    FixedVersion windows95({4, 0, 950, platform::kPlatformWin32Windows});
    EXPECT_EQ(Logon(), 1);
    EXPECT_EQ(provider.loadedNames, (std::vector<std::string>{"security.dll", "secur32.dll"}));
}

// A status that asks for completion of the token has it completed, at whichever step.
struct CompletionCase {
    const char* name;
    int step;
    platform::sspi::SecurityStatus status;
    std::string completed; // the completion event
};
void PrintTo(const CompletionCase& c, std::ostream* out) { *out << c.name; }

class Completion : public SspLogonTest, public ::testing::WithParamInterface<CompletionCase> {};

TEST_P(Completion, CompletesTheStepsOutputToken)
{
    provider.stepStatus[GetParam().step] = GetParam().status;
    EXPECT_EQ(Logon(), 1);
    EXPECT_EQ(errors, "");
    auto steps = Steps();
    EXPECT_EQ(std::count(steps.begin(), steps.end(), GetParam().completed), 1) << ::testing::PrintToString(steps);
    EXPECT_EQ(std::count_if(steps.begin(), steps.end(), [](const std::string& s) { return s.rfind("complete", 0) == 0; }), 1);
}

INSTANTIATE_TEST_SUITE_P(SspLogon, Completion,
                         ::testing::Values(CompletionCase{"ClientFirstCompleteNeeded", 0, 590611, "complete 11 NEGOTIATE"},
                                           CompletionCase{"ServerFirstCompleteAndContinue", 1, 590612, "complete 22 CHALLENGE"},
                                           CompletionCase{"ClientSecondCompleteNeeded", 2, 590611, "complete 11 AUTHENTICATE"},
                                           CompletionCase{"ServerSecondCompleteNeeded", 3, 590611, "complete 22 "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SspLogonTest, ContinueNeededIsNotCompleted)
{
    provider.stepStatus = {590610, 590610, 590610, 0};
    EXPECT_EQ(Logon(), 1);
    for (const auto& event : provider.events)
        EXPECT_NE(event.rfind("complete", 0), 0u) << event;
}

TEST_F(SspLogonTest, AFailedCompletionEndsTheHandshake)
{
    provider.stepStatus[1] = 590612;
    provider.completeStatus = static_cast<platform::sspi::SecurityStatus>(0x80090308U);
    EXPECT_EQ(Logon(), 0);
    EXPECT_EQ(errors, "CompleteAuthToken failed with 80090308\n");
    EXPECT_EQ(lastError, 1326);
    EXPECT_EQ(Steps(), (std::vector<std::string>{"acquire outbound NTLM identity", "initialize first", "acquire inbound NTLM",
                                                 "accept NEGOTIATE first", "complete 22 CHALLENGE"}));
    EXPECT_EQ(Releases(), kReleases);
}

TEST_F(SspLogonTest, WithoutCompleteAuthTokenOnlyAStepThatNeedsItFails)
{
    provider.missingFunctions = {"CompleteAuthToken"};
    EXPECT_EQ(Logon(), 1); // no step asked for completion
    EXPECT_EQ(errors, "");

    provider.events.clear();
    provider.stepStatus[0] = 590611;
    EXPECT_EQ(Logon(), 0);
    EXPECT_EQ(errors, "CompleteAuthToken not supported.\n");
    EXPECT_EQ(lastError, 1326);
    // The client's context was made: it is deleted; the server never started.
    EXPECT_EQ(provider.events,
              (std::vector<std::string>{"load secur32.dll", "query NTLM", "free package info",
                                        "acquire outbound NTLM identity", "initialize first", "delete context 11",
                                        "free credentials 1", "unload"}));
}

// A refused step writes its function's name and status; what was made is released.
struct StepFailureCase {
    const char* name;
    void (*script)(TestSecurityProvider& provider);
    std::string error;
    std::vector<std::string> releases;
};
void PrintTo(const StepFailureCase& c, std::ostream* out) { *out << c.name; }

class StepFailure : public SspLogonTest, public ::testing::WithParamInterface<StepFailureCase> {};

TEST_P(StepFailure, WritesTheStepAndReleasesWhatWasMade)
{
    GetParam().script(provider);
    EXPECT_EQ(Logon(), 0);
    EXPECT_EQ(errors, GetParam().error);
    EXPECT_EQ(lastError, 1326);
    std::vector<std::string> tail(provider.events.end() - static_cast<std::ptrdiff_t>(GetParam().releases.size()),
                                  provider.events.end());
    EXPECT_EQ(tail, GetParam().releases) << ::testing::PrintToString(provider.events);
}

constexpr platform::sspi::SecurityStatus kNoCredentials = static_cast<platform::sspi::SecurityStatus>(0x8009030EU);
constexpr platform::sspi::SecurityStatus kInvalidToken = static_cast<platform::sspi::SecurityStatus>(0x80090308U);

INSTANTIATE_TEST_SUITE_P(SspLogon, StepFailure, ::testing::Values(
    StepFailureCase{"ClientCredentials", [](TestSecurityProvider& p) { p.acquireStatus[0] = kNoCredentials; },
                    "AcquireCredentialsHandle failed with 8009030E\n", {"acquire outbound NTLM identity", "unload"}},
    StepFailureCase{"ServerCredentials", [](TestSecurityProvider& p) { p.acquireStatus[1] = kNoCredentials; },
                    "AcquireCredentialsHandle failed with 8009030E\n",
                    {"acquire inbound NTLM", "delete context 11", "free credentials 1", "unload"}},
    StepFailureCase{"ClientFirstStep", [](TestSecurityProvider& p) { p.stepStatus[0] = kInvalidToken; },
                    "InitializeSecurityContext failed with 80090308\n",
                    {"initialize first", "free credentials 1", "unload"}},
    StepFailureCase{"ClientSecondStep", [](TestSecurityProvider& p) { p.stepStatus[2] = kInvalidToken; },
                    "InitializeSecurityContext failed with 80090308\n",
                    {"initialize CHALLENGE", "delete context 11", "free credentials 1", "delete context 22",
                     "free credentials 2", "unload"}},
    StepFailureCase{"ServerFirstStep", [](TestSecurityProvider& p) { p.stepStatus[1] = kInvalidToken; },
                    "AcceptSecurityContext failed with 80090308\n",
                    {"accept NEGOTIATE first", "delete context 11", "free credentials 1", "free credentials 2", "unload"}},
    StepFailureCase{"PackageQuery", [](TestSecurityProvider& p) { p.queryStatus = platform::sspi::kSecESecpkgNotFound; },
                    "", {"load secur32.dll", "query NTLM", "unload"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SspLogonTest, ALibraryWithoutAFunctionOfTheHandshakeIsNotUsed)
{
    for (const char* function : {"AcceptSecurityContext", "AcquireCredentialsHandleW", "DeleteSecurityContext",
                                 "FreeContextBuffer", "FreeCredentialsHandle", "InitializeSecurityContextW",
                                 "QuerySecurityPackageInfoW"}) {
        provider.missingFunctions = {function};
        provider.events.clear();
        EXPECT_EQ(Logon(), 0) << function;
        EXPECT_EQ(lastError, 127) << function;
        EXPECT_EQ(provider.events, (std::vector<std::string>{"load secur32.dll", "unload"})) << function;
    }
}

TEST_F(SspLogonTest, WithoutASecurityLibraryNothingIsVerified)
{
    provider.libraryPresent = false;
    EXPECT_EQ(Logon(), 0);
    EXPECT_EQ(lastError, 126);
    EXPECT_EQ(errors, "");
}

TEST(SspLogonOnLinux, ThePlatformHasNoSecurityLibrary)
{
    platform::SetLastError(0);
    EXPECT_EQ(SSPLogonUser(u"OFFICE", u"anna", u"Right-Pw 1"), 0);
    EXPECT_EQ(platform::GetLastError(), 126);
}
