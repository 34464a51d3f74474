#include "tools/simdevice/DeviceResponder.h"

#include "tools/simdevice/CannedPages.h"
#include "tools/simdevice/CommandDispatcher.h"
#include "tools/simdevice/Profiles.h"

namespace simdevice {

namespace {

constexpr const char* kHtml = "text/html";

} // namespace

Reply Respond(const ReceivedRequest& request, DeviceState& state)
{
    switch (ReplyModeOf(state.CurrentProfile())) {
    case ReplyMode::LogInPage: return {200, kHtml, LogInPage()};
    case ReplyMode::ServerError: return {500, kHtml, ServerErrorPage()};
    case ReplyMode::Withheld: return {0, {}, {}, true};
    case ReplyMode::Garbled: return {200, "application/octet-stream", GarbledBytes()};
    case ReplyMode::Commands: break;
    }
    if (request.target != kCommandPath)
        return {404, kHtml, NotFoundPage()};
    return {200, "text/xml; charset=utf-8", AnswerXmlRequest(request.xmlRequest, state)};
}

} // namespace simdevice
