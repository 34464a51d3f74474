// tarrowctl doctor --fix run by root for an account that has never heard of Samba: the fixes are
// listed, applied by the helper's code in the process, and a second run finds nothing left.
#include "HelperFixture.h"

#include "integration/ctl/CtlRun.h"
#include "platform/core/Services.h"
#include "platform/security/SambaPassdb.h"
#include "support/FakeProgramFolder.h"

#include <arpa/inet.h>
#include <grp.h>
#include <iostream>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {

CtlRun Doctor(const std::vector<std::string>& args, const std::string& input)
{
    return RunCtl(args, input);
}

// Stands in for nmbd: the computer's name is then answered on UDP port 137.
int BindNetbiosNamePort()
{
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(137);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? fd : -1;
}

TEST_F(HelperTest, DoctorFixMendsWhatRootCanAndASecondRunFindsNothingLeft)
{
    ASSERT_TRUE(samba.StartServer());
    ASSERT_GE(BindNetbiosNamePort(), 0);
    SambaFixture::Account scanner = samba.AddAccount(false);
    ASSERT_FALSE(scanner.name.empty());
    FakeProgramFolder programs(fakes);
    platform::ScopedService<platform::IProgramRunner> use(programs);
    const std::vector<std::string> args{"doctor", "--user", scanner.name, "--password-stdin", "--smb1", "--fix", "--yes"};

    CtlRun first = Doctor(args, scanner.password + "\n");
    EXPECT_NE(first.err.find("these fixes change the system:\n"
                             "  - give " + scanner.name + " a Samba password (the password given)\n"
                             "  - let in an old device in smb.conf: SMB1 (weak: only while such a device needs it)\n"
                             "  - add " + scanner.name + " to group sambashare, so that Samba takes its shares (counts "
                             "from its next login)\n"),
              std::string::npos) << first.err;
    EXPECT_EQ(first.err.find(scanner.password), std::string::npos);
    EXPECT_NE(first.out.find("ok      usershare-group: " + scanner.name + " is in group sambashare"), std::string::npos)
        << first.out;
    EXPECT_NE(first.out.find("ok      samba-account: " + scanner.name + " has a Samba password"), std::string::npos);
    EXPECT_NE(first.out.find("ok      protocol: server min protocol = NT1"), std::string::npos);
    EXPECT_EQ(platform::ReadPassdbEntry(scanner.name).answer, platform::PassdbAnswer::Listed);
    // smbd answers on loopback only here, which no fix mends.
    EXPECT_EQ(first.exitCode, 1);

    const std::string config = ReadText(samba.ConfigPath());
    const std::string groups = ReadText("/etc/group");
    std::remove((fakes + "/calls").c_str());
    CtlRun second = Doctor(args, scanner.password + "\n");
    EXPECT_NE(second.err.find("tarrowctl: nothing to fix that tarrowctl can fix\n"), std::string::npos) << second.err;
    EXPECT_EQ(ReadText(samba.ConfigPath()), config);
    EXPECT_EQ(ReadText("/etc/group"), groups);
    EXPECT_EQ(Calls(), "");
}

} // namespace
