// A simulated device on 127.0.0.1 and a free port for each test, and the log written meanwhile.
#pragma once

#include "platform/core/CString.h"
#include "support/LogCapture.h"
#include "tools/simdevice/SimulatedDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override { StartDevice(simdevice::Profile::ManagedGranted); }

    void StartDevice(simdevice::Profile profile)
    {
        device.Stop();
        device.SetProfile(profile);
        ASSERT_TRUE(device.Start());
        address = CString::FromUtf8(device.Address());
    }

    static simdevice::Folder MakeFolder(std::string name, std::string user = "", std::string password = "")
    {
        simdevice::Folder folder;
        folder.path = "\\\\SCANPC\\" + name;
        folder.name = std::move(name);
        folder.userName = std::move(user);
        folder.password = std::move(password);
        return folder;
    }

    simdevice::SimulatedDevice device;
    CString address;
    LogCapture log;
};

// An address where nothing listens: connections are refused at once.
inline const CString kNoDevice = u"127.0.0.1:1";

// The count lines of the log that begin with the first line equal to first (time stamps
// removed); fewer when the log ends sooner, none when no line equals first.
inline std::vector<std::string> LinesFrom(const LogCapture& log, const std::string& first, std::size_t count)
{
    const std::vector<std::string> lines = log.Lines();
    auto begin = std::find(lines.begin(), lines.end(), first);
    auto end = begin + static_cast<std::ptrdiff_t>(std::min<std::size_t>(count, static_cast<std::size_t>(lines.end() - begin)));
    return std::vector<std::string>(begin, end);
}
