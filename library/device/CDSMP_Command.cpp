#include "CDSMP_Command.h"

#include "Transport.h"
#include "common/log/LogEscape.h"
#include "library/LibraryLog.h"

#include <algorithm>
#include <cstdio>

namespace {

// Replies this long or longer are logged with their beginning only.
constexpr int kWholeReplyLimit = 1000;
constexpr int kLoggedReplyPrefix = 700;

} // namespace

CString CDSMP_Command::FormatPayloadHex()
{
    csPayloadHex.Empty();
    const std::u16string& units = csPayload.str();
    for (std::size_t i = 0; i < units.size(); ++i) {
        char hex[16];
        std::snprintf(hex, sizeof hex, i + 1 < units.size() ? "%02x " : "%02x", unsigned{units[i]});
        csPayloadHex += CString::FromUtf8(hex);
    }
    return csPayloadHex;
}

int CDSMP_Command::ExecuteCommand(CString ipAddress)
{
    CLogStream& log = LibraryLog();
    log.BlankLine();
    log.Line(u"Execute " + csCommandName);
    log << PayloadLogText(*this) << "\n";

    int result = Test_cURL(*this, ipAddress);

    log.Line(ReceivedLogText(csResponse));
    return result;
}

CString PayloadLogText(CDSMP_Command& command)
{
    const CString& payload = command.csPayload;
    CString rendering = payload.GetLength() <= 2 ? command.FormatPayloadHex() : EscapeForLog(MaskPasswords(payload));
    return u"  Payload (" + IntToCString(payload.GetLength()) + u")|" + rendering + u"|";
}

CString ReceivedLogText(const CString& response)
{
    int n = response.GetLength();
    CString taken = n < kWholeReplyLimit ? response : response.Left(kLoggedReplyPrefix);
    return u"Received (" + IntToCString(n) + u")|" + EscapeForLog(MaskPasswords(taken)) + u"|";
}

CString MaskPasswords(const CString& text)
{
    static constexpr std::u16string_view key = u"Password=\"";
    // Where a character stands: between tags, inside a tag, or inside a quoted value of a tag.
    // Values hold no raw quotation mark (they are escaped), so the marks pair up within tags;
    // quotation marks between tags are plain text. A fragment without "<" reads as inside a tag.
    enum class Where { Text, Tag, Value };
    std::u16string masked = text.str();
    Where where = Where::Tag;
    for (std::size_t i = 0; i < masked.size(); ++i) {
        char16_t c = masked[i];
        if (where == Where::Value) {
            if (c == u'"')
                where = Where::Tag;
        } else if (std::u16string_view(masked).substr(i).starts_with(key)) {
            std::size_t begin = i + key.size();
            std::size_t close = masked.find(u'"', begin);
            std::size_t end = close == std::u16string::npos ? masked.size() : close;
            std::fill(masked.begin() + static_cast<std::ptrdiff_t>(begin),
                      masked.begin() + static_cast<std::ptrdiff_t>(end), u'*');
            // Go on after the value's closing quotation mark, in the same place as before it.
            i = end;
        } else if (where == Where::Text) {
            if (c == u'<')
                where = Where::Tag;
        } else if (c == u'"') {
            where = Where::Value;
        } else if (c == u'>') {
            where = Where::Text;
        }
    }
    return CString(std::move(masked));
}
