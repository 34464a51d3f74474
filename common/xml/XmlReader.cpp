#include "XmlReader.h"

#include "XmlElementParser.h"

#include "platform/core/Paths.h"
#include "platform/core/TextConvert.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The element named firstTag on the search path from node: node itself, else its children in
// order, descending into each declaration met on the way.
XmlNode FindFirstTag(XmlNode node, const CString& firstTag)
{
    if (NamesEqualNoCase(node.Name(), firstTag))
        return node;
    for (int i = 0; i < node.ChildCount();) {
        XmlNode child = ChildAt(node, i);
        if (NamesEqualNoCase(child.Name(), firstTag))
            return child;
        if (child.IsDeclaration()) {
            node = child;
            i = 0;
        } else {
            ++i;
        }
    }
    return XmlNode();
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    // O_NONBLOCK: a FIFO is refused below instead of waiting for a writer at open.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        bytes.resize(done);
    }
    close(fd);
    return ok;
}

} // namespace

XmlNode ParseText(std::u16string_view text, const CString& firstTag, XmlParseResult& result)
{
    result = XmlParseResult();
    if (text.empty()) {
        result.code = XmlErrorNoElements;
        return XmlNode();
    }

    XmlNode top(std::make_shared<XmlNodeData>(std::nullopt, false));
    XmlElementParser parser(text);
    parser.ParseInto(*top.Data());
    result.code = parser.Code();
    std::size_t errorPosition = parser.ErrorPosition();

    XmlNode current = top;
    XmlNodeData& data = *top.Data();
    if (data.children.empty()) {
        result.code = XmlWarningNoTag;
    } else if (data.children.size() == 1 && data.texts.empty() && data.sections.empty() &&
               data.attributes.empty()) {
        current = ChildAt(top, 0);
        current.Data()->parent = nullptr;
    }

    if (result.code <= XmlWarningNoTag && !firstTag.IsEmpty()) {
        current = FindFirstTag(current, firstTag);
        if (!current)
            result.code = XmlErrorFirstTagNotFound;
    }
    if (result.code != XmlNoError)
        LineAndColumn(text, errorPosition, result.line, result.column);
    return result.code >= XmlErrorNoData ? XmlNode() : current;
}

std::u16string DecodeXmlBytes(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE")) {
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
        return text;
    }
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    return Utf8ToUtf16(bytes);
}

XmlNode ParseFile(const CString& path, const CString& firstTag, XmlParseResult& result)
{
    result = XmlParseResult();
    std::string bytes;
    auto posix = platform::ToPosixPath(path);
    if (!posix || !ReadWholeFile(*posix, bytes)) {
        result.code = XmlErrorFileNotFound;
        return XmlNode();
    }
    if (bytes.empty()) {
        result.code = XmlErrorNoData;
        return XmlNode();
    }
    bool wide = bytes.starts_with("\xFF\xFE");
    std::u16string text = DecodeXmlBytes(bytes);
    if (text.empty() && !wide) {
        result.code = XmlErrorConversion;
        return XmlNode();
    }
    return ParseText(text, firstTag, result);
}
