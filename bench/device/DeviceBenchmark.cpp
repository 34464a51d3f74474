// (a) One ExecuteCommand against the simulated device, compared with a bare libcurl POST of the
//     same form: the ratio shows what the command layer and its log lines add (goal: <= 1.10).
// (b) GetFolderNamesOnDevice for a device holding 1,000 and 10,000 records, log flushes included
//     (goal: linear growth, under 0.5 s at 10,000).
// (c) The same for records that lack their path and user name, 10,000 and 40,000 of them: each
//     such record ends its searches without a find (goal: linear growth, under 0.5 s at 40,000).
#include "library/device/Commands.h"
#include "library/device/Transport.h"
#include "library/service/CSharedFolder.h"
#include "tools/simdevice/SimulatedDevice.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <curl/curl.h>
#include <map>
#include <string>

namespace {

simdevice::SimulatedDevice& Device()
{
    static simdevice::SimulatedDevice device;
    static bool started = device.Start();
    if (!started)
        std::abort();
    return device;
}

size_t Discard(char*, size_t size, size_t count, void*)
{
    return size * count;
}

void BareCurlPost(const std::string& address, const std::string& payload)
{
    CURL* curl = curl_easy_init();
    curl_mime* form = curl_mime_init(curl);
    auto add = [&](const char* name, const std::string& data, const char* type) {
        curl_mimepart* part = curl_mime_addpart(form);
        curl_mime_name(part, name);
        curl_mime_data(part, data.data(), data.size());
        if (type)
            curl_mime_type(part, type);
    };
    add("ip_address", address, nullptr);
    add("port", "", nullptr);
    add("xml_request", payload, "text/plain");
    std::string url = "https://" + address + kDevicePath;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_MIMEPOST, form);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard);
    if (curl_easy_perform(curl) != CURLE_OK)
        std::abort();
    curl_easy_cleanup(curl);
    curl_mime_free(form);
}

void BM_ExecuteCommand(benchmark::State& state)
{
    CString address = CString::FromUtf8(Device().Address());
    for (auto _ : state) {
        CGetNumberOfFolders command;
        if (!command.ExecuteCommand(address))
            state.SkipWithError("transfer failed");
    }
}
BENCHMARK(BM_ExecuteCommand)->UseRealTime()->MinTime(2.0);

void BM_BareCurlPost(benchmark::State& state)
{
    std::string address = Device().Address();
    std::string payload = CGetNumberOfFolders().csPayload.ToUtf8();
    for (auto _ : state)
        BareCurlPost(address, payload);
}
BENCHMARK(BM_BareCurlPost)->UseRealTime()->MinTime(2.0);

void ReadFolders(benchmark::State& state, const std::vector<std::string>& unlisted)
{
    auto& device = Device();
    device.ClearFolders();
    for (int64_t i = 0; i < state.range(0); ++i) {
        simdevice::Folder folder;
        folder.name = "Folder" + std::to_string(i);
        folder.path = "\\\\SCANPC\\" + folder.name;
        folder.userName = "user" + std::to_string(i);
        folder.unlisted = unlisted;
        device.AddFolder(folder);
    }
    CString address = CString::FromUtf8(device.Address());
    for (auto _ : state) {
        CString names;
        cSharedFolder.GetFolderNamesOnDevice(address, names);
        if (cSharedFolder.m_FolderNameList.GetCount() != state.range(0))
            state.SkipWithError("wrong number of folders");
    }
    state.SetComplexityN(state.range(0));
}

void BM_GetFolderNamesOnDevice(benchmark::State& state)
{
    ReadFolders(state, {});
}
BENCHMARK(BM_GetFolderNamesOnDevice)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Complexity(benchmark::oN);

void BM_GetFolderNamesWithoutPathsOrUserNames(benchmark::State& state)
{
    ReadFolders(state, {"FolderPath", "UserName"});
}
BENCHMARK(BM_GetFolderNamesWithoutPathsOrUserNames)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond)
    ->UseRealTime()->Complexity(benchmark::oN);

// Keeps each run's real time per iteration so that main can print the ratio of (a).
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const auto& run : runs)
            if (run.run_type == Run::RT_Iteration)
                seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto command = reporter.seconds.find("BM_ExecuteCommand/min_time:2.000/real_time");
    auto bare = reporter.seconds.find("BM_BareCurlPost/min_time:2.000/real_time");
    if (command != reporter.seconds.end() && bare != reporter.seconds.end())
        std::printf("ExecuteCommand / bare libcurl POST: %.3f (goal <= 1.10)\n", command->second / bare->second);
    benchmark::Shutdown();
    return 0;
}
