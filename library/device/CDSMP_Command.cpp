#include "CDSMP_Command.h"

#include "Transport.h"
#include "library/LibraryLog.h"

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
    CString rendering = payload.GetLength() <= 2 ? command.FormatPayloadHex() : MaskPasswords(payload);
    return u"  Payload (" + IntToCString(payload.GetLength()) + u")|" + rendering + u"|";
}

CString ReceivedLogText(const CString& response)
{
    int n = response.GetLength();
    CString taken = n < kWholeReplyLimit ? response : response.Left(kLoggedReplyPrefix);
    return u"Received (" + IntToCString(n) + u")|" + MaskPasswords(taken) + u"|";
}

CString MaskPasswords(const CString& text)
{
    static constexpr std::u16string_view key = u"Password=";
    std::u16string masked = text.str();
    std::size_t last = masked.empty() ? 0 : masked.size() - 1;
    std::size_t searchFrom = 0;
    while (true) {
        std::size_t found = masked.find(key, searchFrom);
        if (found == std::u16string::npos)
            break;
        std::size_t open = masked.find(u'"', found);
        if (open == std::u16string::npos)
            break;
        std::size_t begin = open + 1;
        std::size_t close = masked.find(u'"', begin);
        std::size_t end = close == std::u16string::npos ? last + 1 : close;
        for (std::size_t i = begin; i < end; ++i)
            masked[i] = u'*';
        if (close == std::u16string::npos)
            break;
        searchFrom = close;
    }
    return CString(std::move(masked));
}
