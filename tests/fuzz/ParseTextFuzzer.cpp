// Fuzz target: any bytes, read as a data file would be (UTF-16LE after FF FE, else UTF-8), go
// through the parser, the look-ups and the writer without a crash, a leak or undefined behaviour.
#include "common/xml/XmlReader.h"
#include "common/xml/XmlWriter.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::u16string text = DecodeXmlBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    XmlParseResult result;
    XmlNode node = ParseText(text, u"tarrow", result);
    // Every code is in the table, and every parse problem has a place (empty text has none).
    if (result.code > XmlErrorWrite || (result.code != XmlNoError && result.code != XmlErrorNoElements && result.line < 1))
        __builtin_trap();
    if (node) {
        XmlNode settings = ChildNamed(node, u"settings");
        TextAt(ChildAt(settings, 0), 0);
        ToText(node);
    }
    XmlNode top = ParseText(text, CString(), result);
    ToText(top);
    return 0;
}
