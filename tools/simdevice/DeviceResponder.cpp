#include "tools/simdevice/DeviceResponder.h"

#include "tools/simdevice/CannedPages.h"
#include "tools/simdevice/CommandDispatcher.h"
#include "tools/simdevice/Profiles.h"
#include "tools/simdevice/ReplyDocument.h"

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

// The request's element and CommandID with a reply that says no, as a full database answers.
std::string RefusalOf(std::string_view xmlRequest)
{
    const auto open = xmlRequest.find('<');
    const auto end = open == std::string_view::npos ? open : xmlRequest.find_first_of(" />", open + 1);
    const std::string element(end == std::string_view::npos ? std::string_view("Reply")
                                                            : xmlRequest.substr(open + 1, end - open - 1));
    return "<" + element + " CommandID=\"" + CommandIdOf(xmlRequest) + "\"><Reply ReturnCode=\"DB_FULL\"></Reply></" +
           element + ">";
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
    case ReplyMode::Refusal: return {200, kXml, RefusalOf(request.xmlRequest)};
    case ReplyMode::ErrorReply: return {200, kXml, ErrorReplyText("INVALID_REQUEST", "the request cannot be carried out")};
    case ReplyMode::Commands: break;
    }
    if (request.target != kCommandPath)
        return {404, kHtml, NotFoundPage()};
    return {200, kXml, AnswerXmlRequest(request.xmlRequest, state)};
}

} // namespace simdevice
