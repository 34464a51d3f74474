#include "tools/simdevice/CannedPages.h"

#include <string_view>

namespace simdevice {

std::string LogInPage()
{
    return "<HTML><HEAD><TITLE>Norvik Kelvane - Log In</TITLE></HEAD>"
           "<BODY><H1>Log In</H1>"
           "<P>Unable to authorize. Enter the administrator password to continue.</P>"
           "<FORM method=\"post\" action=\"/norvik/login\">"
           "<INPUT type=\"password\" name=\"pwd\"><INPUT type=\"submit\" value=\"Log In\">"
           "</FORM></BODY></HTML>";
}

std::string ServerErrorPage()
{
    return "<HTML><HEAD><TITLE>500 Internal Server Error</TITLE></HEAD>"
           "<BODY><H1>Internal Server Error</H1><P>The device could not process the request.</P>"
           "</BODY></HTML>";
}

std::string NotFoundPage()
{
    return "<HTML><HEAD><TITLE>404 Not Found</TITLE></HEAD>"
           "<BODY><H1>Not Found</H1></BODY></HTML>";
}

std::string GarbledBytes()
{
    static constexpr char kBytes[] = "\xff\xfe<Mfp\xc3\x28" "Comm\x00" "ands \x80\x81\xfe garbled \xed\xa0\x80 reply";
    return std::string(kBytes, sizeof kBytes - 1);
}

std::string EndlessPiece()
{
    static constexpr std::string_view kRecord = "<DbFolderRec FolderName=\"Again\" />";
    std::string piece;
    while (piece.size() + kRecord.size() <= 64 * 1024)
        piece += kRecord;
    piece.resize(64 * 1024, ' ');
    return piece;
}

std::string CutOffReply()
{
    std::string reply = "<Reply ReturnCode=\"SUCCESS\">";
    reply.resize(kCutOffReplyLength, ' ');
    return reply;
}

} // namespace simdevice
