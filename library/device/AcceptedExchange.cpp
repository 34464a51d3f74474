#include "AcceptedExchange.h"

#include "common/log/LogEscape.h"
#include "library/LibraryLog.h"

namespace {

constexpr const char16_t* kSuccessCodes[] = {u"SUCCESS", u"OK", u"0"};

bool IsNameCharacter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' ||
           c == u'-' || c == u':' || c == u'.';
}

// The value of the first attribute named exactly name (not a longer name that ends in it, such
// as MfpAccessReturnCode) from position from on; from is left after it. False when none is left.
bool NextAttribute(const CString& text, const CString& name, int& from, CString& value)
{
    const CString opening = name + u"=";
    for (int at = text.Find(opening, from); at >= 0; at = text.Find(opening, at + 1)) {
        const int quote = at + opening.GetLength();
        if ((at > 0 && IsNameCharacter(text[at - 1])) || quote >= text.GetLength())
            continue;
        const char16_t mark = text[quote];
        if (mark != u'"' && mark != u'\'')
            continue;
        const int close = text.Find(mark, quote + 1);
        if (close < 0)
            return false;
        value = text.Mid(quote + 1, close - quote - 1);
        from = close + 1;
        return true;
    }
    return false;
}

bool IsSuccessCode(const CString& code)
{
    for (const char16_t* success : kSuccessCodes)
        if (code == success)
            return true;
    return false;
}

} // namespace

CString ReplyRefusal(const CString& reply)
{
    if (int error = reply.Find(u"<ErrorReply"); error >= 0) {
        CString code;
        int from = error;
        return NextAttribute(reply, u"ReturnCode", from, code) && !code.IsEmpty() ? code : CString(u"ErrorReply");
    }
    CString code;
    for (int from = 0; NextAttribute(reply, u"ReturnCode", from, code);)
        if (!IsSuccessCode(code))
            return code.IsEmpty() ? CString(u"(empty)") : code;
    return {};
}

int ExecuteAccepted(CDSMP_Command& command, const CString& ipAddress, const CString& caller)
{
    if (!command.ExecuteCommand(ipAddress))
        return 0;
    if (!command.HttpStatusIsSuccess()) {
        LibraryLog().Line(u"ERROR- " + caller + u": " + command.csCommandName + u" returned HTTP status "
                          + IntToCString(command.nHttpStatus));
        return 0;
    }
    const CString refusal = ReplyRefusal(command.GetResponse());
    if (refusal.IsEmpty())
        return 1;
    LibraryLog().Line(u"ERROR- " + caller + u": " + command.csCommandName + u" was refused by the device: ReturnCode "
                      + EscapeForLog(refusal));
    return 0;
}
