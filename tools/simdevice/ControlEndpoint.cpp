#include "tools/simdevice/ControlEndpoint.h"

namespace simdevice {

namespace {

constexpr const char* kText = "text/plain; charset=utf-8";

Reply Line(int status, const std::string& text)
{
    return {status, kText, text + "\n"};
}

std::string FieldOf(const ReceivedRequest& request, const char* name)
{
    const auto found = request.formFields.find(name);
    return found == request.formFields.end() ? std::string() : found->second;
}

} // namespace

bool IsControlRequest(const ReceivedRequest& request)
{
    return request.target.rfind(kControlPrefix, 0) == 0;
}

Reply AnswerControlRequest(const ReceivedRequest& request, const std::function<ScanResult(const ScanRequest&)>& scan)
{
    if (request.target != kControlScanPath)
        return Line(404, "FAILED NO_SUCH_CONTROL");
    if (request.method != "POST")
        return Line(405, "FAILED METHOD_NOT_ALLOWED");
    const ScanRequest scanRequest{FieldOf(request, "folder"), FieldOf(request, "user"), FieldOf(request, "password"),
                                  FieldOf(request, "domain")};
    if (scanRequest.folder.empty())
        return Line(400, "FAILED MISSING_FOLDER");
    const ScanResult result = scan(scanRequest);
    return Line(200, result.ok ? "OK " + result.fileName : "FAILED " + result.status);
}

} // namespace simdevice
