#include "XmlTestText.h"

#include "platform/core/Paths.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ReadBytes(const CString& path)
{
    std::ifstream in(*platform::ToPosixPath(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Utf16Le(const std::string& utf8)
{
    std::string bytes;
    for (char16_t ch : W(utf8)) {
        bytes += static_cast<char>(ch & 0xFF);
        bytes += static_cast<char>(ch >> 8);
    }
    return bytes;
}

} // namespace

TEST(XmlWriter, IndentsEscapesAndClosesEmptyElementsShort)
{
    XmlNode root = NewDeclarationRoot();
    AddAttribute(root, u"version", CString(u"1.0"));
    XmlNode tarrow = AddChildElement(root, u"tarrow");
    XmlNode settings = AddChildElement(tarrow, u"settings");
    AddAttribute(settings, u"note", CString(u"a<b & \"c\""));
    AddAttribute(settings, u"bare", std::nullopt);
    AddAttribute(settings, u"", CString(u"nameless attributes are not written"));
    XmlNode model = AddChildElement(settings, u"PrinterModelName");
    AddText(model, u"Laser 'M' <100> & co");
    AddText(model, u"");
    AddChildElement(settings, u"Empty");

    EXPECT_EQ(U8(ToText(root)), "<?xml version=\"1.0\"?>\n"
                                "<tarrow>\n"
                                "\t<settings note=\"a&lt;b &amp; &quot;c&quot;\" bare>\n"
                                "\t\t<PrinterModelName>\n"
                                "\t\t\tLaser &apos;M&apos; &lt;100&gt; &amp; co\n"
                                "\t\t</PrinterModelName>\n"
                                "\t\t<Empty/>\n"
                                "\t</settings>\n"
                                "</tarrow>\n");
}

TEST(XmlWriter, WrittenTextParsesBackToTheSameTree)
{
    std::string text = "<a x=\"1\">\n\tone &amp; two\n\t<b/>\n\t<![CDATA[<raw>]]>\n</a>\n";
    XmlParseResult result;
    XmlNode a = Parse(text, result);
    ASSERT_EQ(result.code, XmlNoError);
    EXPECT_EQ(U8(ToText(a)), text);
}

TEST(XmlWriter, FileGetsMarkHeaderAndUtf16LittleEndian)
{
    XmlNode root = NewDeclarationRoot();
    XmlNode tarrow = AddChildElement(root, u"tarrow");
    AddText(tarrow, u"Zürich €");

    ASSERT_EQ(WriteFile(tarrow, u"C:\\element.data"), 0);
    EXPECT_EQ(ReadBytes(u"C:\\element.data"),
              "\xFF\xFE" + Utf16Le("<?xml version=\"1.0\" encoding=\"utf-16\"?>\n<tarrow>\n\tZürich €\n</tarrow>\n"));

    // A declaration is its own header.
    ASSERT_EQ(WriteFile(root, u"C:\\declaration.data"), 0);
    EXPECT_EQ(ReadBytes(u"C:\\declaration.data"), "\xFF\xFE" + Utf16Le("<?xml?>\n<tarrow>\n\tZürich €\n</tarrow>\n"));

    // So is a declaration that a parse left under the nameless top.
    XmlParseResult result;
    XmlNode top = Parse("text <?xml version=\"1.0\"?><a/>", result);
    ASSERT_FALSE(top.HasName());
    ASSERT_EQ(WriteFile(top, u"C:\\top.data"), 0);
    EXPECT_EQ(ReadBytes(u"C:\\top.data"), "\xFF\xFE" + Utf16Le("\ttext\n<?xml version=\"1.0\"?>\n<a/>\n"));
}

TEST(XmlWriter, FailuresToCreateOrWriteHaveTheirCodes)
{
    XmlNode root = NewDeclarationRoot();
    EXPECT_EQ(WriteFile(root, u"C:\\no such folder\\x.data"), XmlErrorOpenForWriting);
    EXPECT_EQ(WriteFile(root, u"D:\\x.data"), XmlErrorOpenForWriting); // a drive that does not exist
    EXPECT_EQ(WriteFile(root, u"/dev/full"), XmlErrorOpenForWriting); // a device is no data file
    EXPECT_EQ(WriteFile(root, u"C:\\"), XmlErrorOpenForWriting);      // nor is a folder

    // A file that cannot grow: the write fails.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = old;
    tiny.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &tiny);
    int code = WriteFile(root, u"C:\\full.data");
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(code, XmlErrorWrite);
}

TEST(XmlWriter, AFifoIsNeitherWrittenNorWaitedFor)
{
    const std::string fifo = *platform::ToPosixPath(u"C:\\fifo.data");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // With a reader waiting, opening the FIFO succeeds: only its type keeps the data out.
    int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(WriteFile(NewDeclarationRoot(), u"C:\\fifo.data"), XmlErrorOpenForWriting);
    char byte;
    EXPECT_LE(read(reader, &byte, 1), 0);
    close(reader);
    // Without one, a writer that waited for a reader would never return.
    EXPECT_EXIT(
        {
            alarm(10);
            std::exit(WriteFile(NewDeclarationRoot(), u"C:\\fifo.data"));
        },
        testing::ExitedWithCode(XmlErrorOpenForWriting), "");
}
