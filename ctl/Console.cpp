#include "ctl/Console.h"

#include "ctl/ExitCodes.h"

#include "common/log/LogEscape.h"
#include "common/log/ProgramLog.h"

#include <cstdio>
#include <iostream>

void Progress(const std::string& step)
{
    std::cerr << "tarrowctl: " << step << std::endl;
    ProgramLog().Line(u"tarrowctl: " + EscapeForLog(CString::FromUtf8(step)));
}

void Error(const std::string& text)
{
    std::cerr << "tarrowctl: error: " << text << std::endl;
    ProgramLog().Line(u"ERROR- tarrowctl: " + EscapeForLog(CString::FromUtf8(text)));
}

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string Utf8(const CString& text)
{
    return text.ToUtf8();
}

int UsageError(const char* command, const std::string& text)
{
    std::cerr << "tarrowctl " << command << ": " << text << "\n"
              << "Try 'tarrowctl " << command << " --help'." << std::endl;
    return kExitUsage;
}
