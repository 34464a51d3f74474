#include "ctl/Console.h"

#include "ctl/ExitCodes.h"
#include "ctl/RunResult.h"

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

// The length of the well-formed UTF-8 sequence at text[at], or 0.
std::size_t SequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    // No overlong forms, no surrogates, nothing above U+10FFFF.
    const unsigned char second = byte(at + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second >= 0x90))
        return 0;
    return length;
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
        const std::size_t length = SequenceLength(text, at);
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

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    const auto unicodeEscape = [&out](unsigned code) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
        out += escaped;
    };
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            switch (byte) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20 || byte == 0x7F)
                    unicodeEscape(byte);
                else
                    out += static_cast<char>(byte);
            }
            ++at;
            continue;
        }
        // Bytes that are no UTF-8 would make the document unreadable: each becomes U+FFFD. The C1
        // controls are written escaped, so that a terminal showing the document is not steered.
        const std::size_t length = SequenceLength(text, at);
        if (length == 0) {
            unicodeEscape(0xFFFD);
            ++at;
        } else if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0) {
            unicodeEscape(static_cast<unsigned char>(text[at + 1]));
            at += 2;
        } else {
            out.append(text.substr(at, length));
            at += length;
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
    CurrentRun().AddError(text);
    std::cerr << "tarrowctl " << command << ": " << text << "\n"
              << "Try 'tarrowctl " << command << " --help'." << std::endl;
    return kExitUsage;
}
