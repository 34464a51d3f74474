#include "tools/simdevice/DeviceResponder.h"

#include "tools/simdevice/CannedPages.h"
#include "tools/simdevice/CommandDispatcher.h"
#include "tools/simdevice/Profiles.h"

#include <string_view>

namespace simdevice {

namespace {

constexpr const char* kHtml = "text/html";
constexpr const char* kXml = "text/xml; charset=utf-8";

// The value of the first CommandID attribute in the request text, or empty.
std::string CommandIdOf(std::string_view xmlRequest)
{
    constexpr std::string_view key = "CommandID=\"";
    const auto at = xmlRequest.find(key);
    if (at == std::string_view::npos)
        return {};
    const auto begin = at + key.size();
    const auto end = xmlRequest.find('"', begin);
    return end == std::string_view::npos ? std::string() : std::string(xmlRequest.substr(begin, end - begin));
}

} // namespace

Reply Respond(const ReceivedRequest& request, DeviceState& state)
{
    switch (ReplyModeOf(state.ProfileFor(CommandIdOf(request.xmlRequest)))) {
    case ReplyMode::LogInPage: return {401, kHtml, LogInPage()};
    case ReplyMode::ServerError: return {500, kHtml, ServerErrorPage()};
    case ReplyMode::Withheld: return {0, {}, {}, Delivery::Withheld};
    case ReplyMode::Garbled: return {200, "application/octet-stream", GarbledBytes()};
    case ReplyMode::Endless: return {200, kXml, EndlessPiece(), Delivery::Endless};
    case ReplyMode::CutOff: return {200, kXml, CutOffReply(), Delivery::CutOff};
    case ReplyMode::Commands: break;
    }
    if (request.target != kCommandPath)
        return {404, kHtml, NotFoundPage()};
    return {200, kXml, AnswerXmlRequest(request.xmlRequest, state)};
}

} // namespace simdevice
