// tarrow-simscan: starts a scan at the simulated device, as a user at its panel would, through
// its control endpoint; prints the device's reply line ("OK Scan_0001.pdf", "FAILED
// NT_STATUS_LOGON_FAILURE"). The password, when the entry needs one, comes from standard input.
#include "tools/simdevice/scan/ControlClient.h"
#include "tools/simdevice/scan/SimScanOptions.h"

#include <iostream>
#include <string>
#include <vector>

using namespace simdevice;

namespace {

// Exit statuses; the usage text lists them too.
constexpr int kScanned = 0;
constexpr int kScanFailed = 1;
constexpr int kBadUsage = 2;
constexpr int kNoAnswer = 3;

// The first line of standard input without its line ending.
std::string ReadPasswordLine()
{
    std::string line;
    std::getline(std::cin, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

} // namespace

int main(int argc, char** argv)
{
    SimScanOptions options;
    std::string error;
    if (!ParseSimScanOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "tarrow-simscan: " << error << "\n" << SimScanUsageText();
        return kBadUsage;
    }
    if (options.help) {
        std::cout << SimScanUsageText();
        return kScanned;
    }

    ScanControlFields fields;
    fields.folder = options.folder;
    fields.user = options.user;
    fields.domain = options.domain;
    if (options.passwordFromStdin)
        fields.password = ReadPasswordLine();

    const ControlReply reply = PostScan(options.host, options.port, fields);
    if (!reply.answered) {
        std::cerr << "tarrow-simscan: no answer from " << options.host << ":" << options.port << ": " << reply.error
                  << "\n";
        return kNoAnswer;
    }
    const std::string line = FirstLine(reply.body);
    if (line.rfind("OK ", 0) == 0) {
        std::cout << line << "\n";
        return kScanned;
    }
    if (line.rfind("FAILED ", 0) == 0) {
        std::cout << line << "\n";
        return kScanFailed;
    }
    std::cerr << "tarrow-simscan: " << options.host << ":" << options.port << " has no scan control (HTTP "
              << reply.httpStatus << ")\n";
    return kNoAnswer;
}
