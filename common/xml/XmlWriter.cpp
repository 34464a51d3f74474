#include "XmlWriter.h"

#include "XmlEntities.h"
#include "XmlNodeData.h"
#include "XmlParseResult.h"

#include "platform/core/Paths.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class TextWriter {
public:
    CString Write(const XmlNodeData& root)
    {
        Open(root, 0);
        while (!m_open.empty()) {
            Frame& frame = m_open.back();
            if (frame.next == frame.node->order.size()) {
                Close(frame);
                m_open.pop_back();
                continue;
            }
            XmlOrderEntry entry = frame.node->order[frame.next++];
            auto index = static_cast<std::size_t>(entry.index);
            int itemDepth = frame.itemDepth;
            int textDepth = frame.depth + 1;
            switch (entry.kind) {
            case XmlItemKind::Element:
                Open(*frame.node->children[index], itemDepth); // frame is not used after this
                break;
            case XmlItemKind::Text:
                WriteText(frame.node->texts[index], textDepth);
                break;
            case XmlItemKind::ClearSection:
                WriteSection(frame.node->sections[index], textDepth);
                break;
            }
        }
        return CString(std::move(m_out));
    }

private:
    struct Frame {
        const XmlNodeData* node;
        int depth;
        int itemDepth; // depth of child elements
        bool endTag;
        std::size_t next = 0;
    };

    void Tabs(int count) { m_out.append(static_cast<std::size_t>(count), u'\t'); }

    void Open(const XmlNodeData& node, int depth)
    {
        if (!node.name) { // the nameless top writes only its content, at its own depth
            m_open.push_back({&node, depth, depth, false});
            return;
        }
        Tabs(depth);
        m_out += node.declaration ? u"<?" : u"<";
        m_out += node.name->str();
        for (const auto& attribute : node.attributes) {
            if (attribute.name.IsEmpty())
                continue;
            m_out += u' ';
            m_out += attribute.name.str();
            if (attribute.value) {
                m_out += u"=\"";
                m_out += EscapeEntities(*attribute.value).str();
                m_out += u'"';
            }
        }
        if (node.declaration) {
            m_out += u"?>\n";
            m_open.push_back({&node, depth, depth, false});
        } else if (node.order.empty()) {
            m_out += u"/>\n";
        } else {
            m_out += u">\n";
            m_open.push_back({&node, depth, depth + 1, true});
        }
    }

    void Close(const Frame& frame)
    {
        if (!frame.endTag)
            return;
        Tabs(frame.depth);
        m_out += u"</";
        m_out += frame.node->name->str();
        m_out += u">\n";
    }

    void WriteText(const CString& text, int depth)
    {
        if (text.IsEmpty())
            return;
        Tabs(depth);
        m_out += EscapeEntities(text).str();
        m_out += u'\n';
    }

    void WriteSection(const XmlClearSection& section, int depth)
    {
        Tabs(depth);
        m_out += section.opening.str();
        m_out += section.content.str();
        m_out += section.closing.str();
        m_out += u'\n';
    }

    std::vector<Frame> m_open;
    std::u16string m_out;
};

bool NeedsHeader(const XmlNode& node)
{
    if (node.IsDeclaration())
        return false;
    return node.HasName() || !ChildAt(node, 0).IsDeclaration();
}

void AppendUtf16Le(std::string& bytes, std::u16string_view text)
{
    for (char16_t ch : text) {
        bytes += static_cast<char>(ch & 0xFF);
        bytes += static_cast<char>(ch >> 8);
    }
}

} // namespace

CString ToText(const XmlNode& node)
{
    return node ? TextWriter().Write(*node.Data()) : CString();
}

int WriteFile(const XmlNode& node, const CString& path)
{
    auto posix = platform::ToPosixPath(path);
    // Only a regular file is written: a FIFO must neither block the writer at open (O_NONBLOCK)
    // nor take the data, and nothing is truncated before its type is known.
    int fd = posix ? open(posix->c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666) : -1;
    struct stat info {};
    bool regular = fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ftruncate(fd, 0) == 0;
    std::FILE* file = regular ? fdopen(fd, "wb") : nullptr;
    if (!file) {
        if (fd >= 0)
            close(fd);
        return XmlErrorOpenForWriting;
    }
    std::string bytes = "\xFF\xFE";
    if (NeedsHeader(node))
        AppendUtf16Le(bytes, u"<?xml version=\"1.0\" encoding=\"utf-16\"?>\n");
    AppendUtf16Le(bytes, ToText(node).str());
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    bool closed = std::fclose(file) == 0;
    return written && closed ? XmlNoError : XmlErrorWrite;
}
