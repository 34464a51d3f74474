#include "ctl/Console.h"

#include "ctl/ExitCodes.h"
#include "ctl/RunResult.h"
#include "ctl/Utf8Sequence.h"

#include "common/log/LogEscape.h"
#include "common/log/ProgramLog.h"

#include <cstdio>
#include <iostream>

namespace {

void AppendEscaped(std::string& out, unsigned char byte)
{
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(byte));
    out += escaped;
}

} // namespace

std::string Printable(std::string_view text, bool keepLineBreaks)
{
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            if ((byte < 0x20 && !(keepLineBreaks && byte == '\n')) || byte == 0x7F)
                AppendEscaped(out, byte);
            else
                out += static_cast<char>(byte);
            ++at;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text, at);
        // U+0080 to U+009F are the C1 controls (CSI among them).
        const bool c1 = length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0;
        if (length == 0 || c1) {
            for (std::size_t i = 0; i < (c1 ? 2 : 1); ++i)
                AppendEscaped(out, static_cast<unsigned char>(text[at + i]));
            at += c1 ? 2 : 1;
            continue;
        }
        out.append(text.substr(at, length));
        at += length;
    }
    return out;
}

void Progress(const std::string& step)
{
    std::cerr << "tarrowctl: " << Printable(step, true) << std::endl;
    ProgramLog().Line(u"tarrowctl: " + EscapeForLog(CString::FromUtf8(step)));
}

void Error(const std::string& text)
{
    CurrentRun().AddError(text);
    std::cerr << "tarrowctl: error: " << Printable(text, true) << std::endl;
    ProgramLog().Line(u"ERROR- tarrowctl: " + EscapeForLog(CString::FromUtf8(text)));
}

std::string Utf8(const CString& text)
{
    return text.ToUtf8();
}

int UsageError(const char* command, const std::string& text)
{
    CurrentRun().AddError(text);
    std::cerr << "tarrowctl " << command << ": " << text << "\n"
              << "Try 'tarrowctl " << command << " --help'." << std::endl;
    return kExitUsage;
}
