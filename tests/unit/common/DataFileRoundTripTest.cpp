// Property: whatever keys and values TarrowNetwork stores, Tarrow reads back the same values,
// less the white space at both ends.
#include "DataFileFixture.h"

#include "common/data/CNetworkConnect.h"
#include "common/data/CWriteXML.h"

#include <random>
#include <set>

namespace {

// Names as the element grammar takes them: a letter or "_" first, then letters, digits, "_", "-", ".".
CString RandomKey(std::mt19937& random)
{
    static const std::u16string first = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_";
    static const std::u16string rest = first + u"0123456789-.";
    std::u16string key(1, first[random() % first.size()]);
    for (std::size_t n = random() % 12; n > 0; --n)
        key += rest[random() % rest.size()];
    return key;
}

CString RandomValue(std::mt19937& random)
{
    static const std::vector<std::u16string> pieces = {
        u"a", u"Z", u"7", u" ", u"\t", u"&", u"<", u">", u"\"", u"'", u"&amp;", u"&#65;", u"]]>", u"<!--",
        u"é", u"Ü", u"日本", u"Привет", u"\U0001F5A8", u"\n", u"\r\n", u"?>", u"=", u"/>", u"$$"};
    std::u16string value;
    for (std::size_t n = 1 + random() % 10; n > 0; --n)
        value += pieces[random() % pieces.size()];
    return value;
}

CString TrimXmlSpace(CString text)
{
    std::u16string s = text.str();
    auto space = [](char16_t ch) { return ch == u' ' || ch == u'\t' || ch == u'\n' || ch == u'\r'; };
    while (!s.empty() && space(s.back()))
        s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && space(s[start]))
        ++start;
    return s.substr(start);
}

} // namespace

TEST_F(DataFileTest, RandomKeysAndValuesReadBackTrimmed)
{
    const unsigned seed = testing::UnitTest::GetInstance()->random_seed();
    std::mt19937 random(seed);
    for (int round = 0; round < 150; ++round) {
        std::vector<std::pair<CString, CString>> pairs;
        std::set<std::u16string> folded;
        for (std::size_t n = 1 + random() % 8; n > 0; --n) {
            CString key = RandomKey(random);
            CString upper = key;
            if (folded.insert(upper.MakeUpper().str()).second) // keys differ in more than case
                pairs.emplace_back(key, RandomValue(random));
        }
        CWriteXML writer;
        for (const auto& [key, value] : pairs)
            writer.SetValue(key, value);
        writer.CreateDataFile();

        for (const auto& [key, value] : pairs) {
            CString read;
            ASSERT_EQ(CNetworkConnect::ReadXML(read, key), 1) << "seed " << seed << " key " << key.ToUtf8();
            ASSERT_EQ(read, TrimXmlSpace(value)) << "seed " << seed << " key " << key.ToUtf8();
        }
    }
}
