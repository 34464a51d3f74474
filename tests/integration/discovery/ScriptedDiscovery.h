// A discovery service that answers chosen calls from a script and passes every other call to the
// real service: the failure paths of TarrowNetwork on cue.
#pragma once

#include "network/DiscoveryLibrary.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace discoverytest {

enum class Call {
    DiscoverIP,
    DiscoverHostName,
    DiscoverMAC,
    StartDiscoveringDevices,
    GetNumDiscoveredDevices,
    GetModelName,
    GetIPAddress,
    GetMACAddress,
    GetHostName,
};

// One scripted answer: the result, and what the call writes to its length or count out-argument
// (nothing when unset).
struct Answer {
    int result;
    std::optional<int> out = std::nullopt;
};

class ScriptedDiscovery : public IDiscoveryLibrary {
public:
    // The next calls of `call` get these answers, one each, in order; later calls reach the service.
    void Script(Call call, const std::vector<Answer>& answers)
    {
        m_script[call].insert(m_script[call].end(), answers.begin(), answers.end());
    }

    int Startup(int flags) override
    {
        Ask("Startup", {flags});
        return Real().Startup(flags);
    }
    int Shutdown(int flags) override
    {
        Ask("Shutdown", {flags});
        return Real().Shutdown(flags);
    }
    int IsValidIPAddress(const char* text) override { return Real().IsValidIPAddress(text); }
    int IsValidIPHostname(const char* text) override { return Real().IsValidIPHostname(text); }
    int IsValidMACAddress(const char* text) override { return Real().IsValidMACAddress(text); }

    int DiscoverIP(const char* address, int r1, int r2, int r3) override
    {
        Ask("DiscoverIP", {address, r1, r2, r3});
        auto answer = Next(Call::DiscoverIP);
        return answer ? answer->result : Real().DiscoverIP(address, r1, r2, r3);
    }
    int DiscoverHostName(const char* name, const char* community, int r1, int r2) override
    {
        Ask("DiscoverHostName", {name, community, r1, r2});
        auto answer = Next(Call::DiscoverHostName);
        return answer ? answer->result : Real().DiscoverHostName(name, community, r1, r2);
    }
    int DiscoverMAC(const char* mac, const char* community, int r1, int r2) override
    {
        Ask("DiscoverMAC", {mac, community, r1, r2});
        auto answer = Next(Call::DiscoverMAC);
        return answer ? answer->result : Real().DiscoverMAC(mac, community, r1, r2);
    }
    int StartDiscoveringDevices(int f1, int f2, int f3, int f4, int f5, int f6, int f7) override
    {
        Ask("StartDiscoveringDevices", {f1, f2, f3, f4, f5, f6, f7});
        auto answer = Next(Call::StartDiscoveringDevices);
        return answer ? answer->result : Real().StartDiscoveringDevices(f1, f2, f3, f4, f5, f6, f7);
    }
    int GetNumDiscoveredDevices(int* count) override
    {
        auto answer = Next(Call::GetNumDiscoveredDevices);
        return answer ? Give(*answer, count) : Real().GetNumDiscoveredDevices(count);
    }
    int GetModelName(int index, char* buffer, int size, int* length) override
    {
        auto answer = Next(Call::GetModelName);
        return answer ? Give(*answer, length) : Real().GetModelName(index, buffer, size, length);
    }
    int GetIPAddress(int index, char* buffer, int size, int* length) override
    {
        auto answer = Next(Call::GetIPAddress);
        return answer ? Give(*answer, length) : Real().GetIPAddress(index, buffer, size, length);
    }
    int GetMACAddress(int index, char* buffer, int size, int* length) override
    {
        auto answer = Next(Call::GetMACAddress);
        return answer ? Give(*answer, length) : Real().GetMACAddress(index, buffer, size, length);
    }
    int GetHostName(int index, char* buffer, int size, int* length) override
    {
        auto answer = Next(Call::GetHostName);
        return answer ? Give(*answer, length) : Real().GetHostName(index, buffer, size, length);
    }

    // The start-ups, shutdowns and searches asked for, with their arguments:
    // "DiscoverIP(127.0.0.5,0,0,0)".
    std::vector<std::string> asked;

private:
    // One argument of a search as the record shows it.
    struct Argument {
        Argument(const char* text) : text(text ? text : "(null)") {}
        Argument(int number) : text(std::to_string(number)) {}
        std::string text;
    };

    void Ask(const char* call, std::initializer_list<Argument> arguments)
    {
        std::string line = std::string(call) + "(";
        for (const Argument& argument : arguments)
            line += (&argument == arguments.begin() ? "" : ",") + argument.text;
        asked.push_back(line + ")");
    }

    static IDiscoveryLibrary& Real() { return IDiscoveryLibrary::Default(); }

    std::optional<Answer> Next(Call call)
    {
        auto& answers = m_script[call];
        if (answers.empty())
            return std::nullopt;
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    static int Give(const Answer& answer, int* out)
    {
        if (answer.out && out)
            *out = *answer.out;
        return answer.result;
    }

    std::map<Call, std::deque<Answer>> m_script;
};

} // namespace discoverytest
