// Through the shared library's exported functions only, as the programs call them.
#include "library/Quillet_Library.h"
#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "support/LogCapture.h"
#include "tools/simdevice/SimulatedDevice.h"

#include <atomic>
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>
#include <vector>

TEST(Exports, LoadingTheLibraryStartsTheLogAnew)
{
    // The library deleted the log at load; only its own lines can be in it.
    std::ifstream in(*platform::ToPosixPath(kLogFilePath));
    EXPECT_TRUE(in.good());
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first.find("Execute"), std::string::npos);
}

TEST(Exports, ASetUpAndARemovalThroughTheExports)
{
    simdevice::SimulatedDevice device;
    ASSERT_TRUE(device.Start());
    CString address = CString::FromUtf8(device.Address());
    LogCapture log;

    EXPECT_EQ(GetSupportedFeatures(u"Norvik Kelvane KV4250 MFP", address, 1), MANAGED_SCAN_TO_NETWORK);
    EXPECT_EQ(GetPrinterFolderList(BREDE_LIST_FOLDER_NAMES), nullptr);
    EXPECT_EQ(ConfigureDevice(u"alice", u"pw\"1", u"OFFICE", address, u"SCANPC", u"Reports", BREDE_FORMAT_PDF,
                              BREDE_RESOLUTION_300, BREDE_COLOR_COLOR, BREDE_FILESIZE_STANDARD),
              BREDE_NO_ERROR);
    EXPECT_EQ(ConfigureDevice(address, u"SCANPC", u"Photos", BREDE_FORMAT_JPEG, BREDE_RESOLUTION_150,
                              BREDE_COLOR_COLOR, BREDE_FILESIZE_LARGE),
              BREDE_NO_ERROR);

    CString names;
    EXPECT_EQ(GetFolderNamesOnDevice(address, names), 1);
    EXPECT_EQ(names, CString(u"Reports,Photos,"));
    CStringList* list = GetPrinterFolderList(BREDE_LIST_FOLDER_NAMES);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(GetPrinterFolderList(BREDE_LIST_USER_NAMES)->GetAt(0), CString(u"alice"));

    EXPECT_EQ(DeleteFolderList(address, *list), BREDE_NO_ERROR);
    EXPECT_TRUE(device.Folders().empty());
    EXPECT_EQ(DeleteFolderAlias(address, u"Gone"), BREDE_NO_ERROR);

    CString text(u"x");
    EXPECT_EQ(TestFunction(99, address, text), CString(u"x"));
    EXPECT_TRUE(log.HasLine("Done."));
    EXPECT_FALSE(log.Contains("pw\"1"));
    EXPECT_FALSE(log.Contains("pw&quot;1"));

    CQuillet_Library a;
    CQuillet_Library b;
    EXPECT_EQ(&(a = b), &a);
}

// Callers are meant to take turns, but two threads at once must not corrupt the library's lists:
// the exports take turns themselves, and every call sees whole lists.
TEST(Exports, CallersOnSeveralThreadsTakeTurns)
{
    simdevice::SimulatedDevice device;
    ASSERT_TRUE(device.Start());
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        simdevice::Folder folder;
        folder.name = "Folder" + std::to_string(i);
        folder.path = "\\\\SCANPC\\" + folder.name;
        device.AddFolder(folder);
        expected += folder.name + ",";
    }
    CString address = CString::FromUtf8(device.Address());
    std::atomic<int> whole{0};
    std::vector<std::thread> callers;
    for (int t = 0; t < 4; ++t)
        callers.emplace_back([&] {
            for (int round = 0; round < 10; ++round) {
                CString names;
                GetFolderNamesOnDevice(address, names);
                CStringList* list = GetPrinterFolderList(BREDE_LIST_FOLDER_NAMES);
                if (names.ToUtf8() == expected && list)
                    ++whole;
            }
        });
    for (auto& caller : callers)
        caller.join();
    EXPECT_EQ(whole.load(), 40);
}

namespace {

// A computer-name service that fails by throwing what it is given.
template <class Thrown>
class ThrowingSystemInfo final : public platform::ISystemInfo {
public:
    explicit ThrowingSystemInfo(Thrown thrown) : m_thrown(std::move(thrown)) {}
    bool GetComputerName(CString&) override { throw m_thrown; }
    CString GetModuleFolder() override { return u"/"; }

private:
    Thrown m_thrown;
};

} // namespace

// No exception leaves the library: the export logs it and returns its failure value.
TEST(Exports, AnExceptionInsideAnExportIsLoggedAndGivesTheFailureValue)
{
    CString name(u"old");
    {
        ThrowingSystemInfo thrower(std::runtime_error("name service\ngone"));
        platform::ScopedService<platform::ISystemInfo> use(thrower);
        LogCapture log;
        EXPECT_EQ(GenerateUniqueFolderName(u"127.0.0.1:1", u"C:\\Scans\\", u"Norvik Kelvane KV4250 MFP", name), 0);
        EXPECT_TRUE(log.HasLine(
            "ERROR- GenerateUniqueFolderName(): stopped by an exception: name service\\ngone"));
    }
    {
        ThrowingSystemInfo thrower(7);
        platform::ScopedService<platform::ISystemInfo> use(thrower);
        LogCapture log;
        EXPECT_EQ(GenerateUniqueFolderName(u"127.0.0.1:1", u"C:\\Scans\\", u"Norvik Kelvane KV4250 MFP", name), 0);
        EXPECT_TRUE(log.HasLine("ERROR- GenerateUniqueFolderName(): stopped by an exception: unknown"));
    }
}
