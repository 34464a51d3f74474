// A simulated device on 127.0.0.1 and a free port for each test, and the log written meanwhile.
#pragma once

#include "platform/core/CString.h"
#include "support/LogCapture.h"
#include "tools/simdevice/SimulatedDevice.h"

#include <gtest/gtest.h>

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
