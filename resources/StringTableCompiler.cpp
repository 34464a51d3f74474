// Compiles a program's string-table files (one per language) into a C++ source that defines
// ProgramStrings().
//
// File format, UTF-8, one message per line:
//   # comment
//   language 1031
//   130 = text, with \n for a line break and \\ for a backslash
// Every file must hold exactly the identifiers of the English (1033) file, and each text as many
// "$$" placeholders as its English text; anything else stops the build with a message.
//
// Usage: tarrow_string_compiler OUTPUT.cpp FILE.txt...
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Table {
    std::string file;
    unsigned language = 0;
    std::map<unsigned, std::string> texts; // UTF-8, escapes resolved
};

[[noreturn]] void Fail(const std::string& where, const std::string& what)
{
    throw std::runtime_error(where + ": " + what);
}

unsigned ParseNumber(const std::string& text, const std::string& where)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 5)
        Fail(where, "expected a number, found \"" + text + "\"");
    return static_cast<unsigned>(std::stoul(text));
}

std::string Unescape(const std::string& text, const std::string& where)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char ch = text[i];
        if (static_cast<unsigned char>(ch) < 0x20)
            Fail(where, "control character in text");
        if (ch != '\\') {
            out += ch;
            continue;
        }
        char next = i + 1 < text.size() ? text[++i] : '\0';
        if (next == 'n')
            out += '\n';
        else if (next == '\\')
            out += '\\';
        else
            Fail(where, "unknown escape \\" + std::string(1, next));
    }
    return out;
}

Table ReadTable(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        Fail(file, "cannot be read");
    Table table;
    table.file = file;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::string where = file + ":" + std::to_string(number);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (number == 1 && line.starts_with("\xEF\xBB\xBF"))
            line.erase(0, 3);
        if (line.empty() || line[0] == '#')
            continue;
        if (line.starts_with("language ")) {
            if (table.language)
                Fail(where, "second language line");
            table.language = ParseNumber(line.substr(9), where);
            continue;
        }
        std::size_t equals = line.find(" = ");
        if (equals == std::string::npos)
            Fail(where, "expected \"ID = text\"");
        unsigned id = ParseNumber(line.substr(0, equals), where);
        if (!table.texts.emplace(id, Unescape(line.substr(equals + 3), where)).second)
            Fail(where, "identifier " + std::to_string(id) + " appears twice");
    }
    if (!table.language)
        Fail(file, "no language line");
    return table;
}

std::u32string DecodeUtf8(const std::string& text, const std::string& where)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size())
            Fail(where, "invalid UTF-8");
        char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            auto byte = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((byte & 0xC0) != 0x80)
                Fail(where, "invalid UTF-8");
            cp = (cp << 6) | (byte & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            Fail(where, "invalid UTF-8");
        out += cp;
        i += static_cast<std::size_t>(length);
    }
    return out;
}

// A u"" literal in plain ASCII.
std::string Literal(const std::string& text, const std::string& where)
{
    std::string out = "u\"";
    char buffer[16];
    for (char32_t cp : DecodeUtf8(text, where)) {
        if (cp == '\n')
            out += "\\n";
        else if (cp == '"' || cp == '\\')
            out += std::string("\\") + static_cast<char>(cp);
        else if (cp >= 0x20 && cp < 0x7F)
            out += static_cast<char>(cp);
        else {
            std::snprintf(buffer, sizeof buffer, cp < 0x10000 ? "\\u%04X" : "\\U%08X", static_cast<unsigned>(cp));
            out += buffer;
        }
    }
    return out + "\"";
}

std::size_t CountPlaceholders(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t pos = text.find("$$"); pos != std::string::npos; pos = text.find("$$", pos + 2))
        ++count;
    return count;
}

void Check(const std::vector<Table>& tables)
{
    const Table* english = nullptr;
    for (const auto& table : tables)
        if (table.language == 1033)
            english = &table;
    if (!english)
        Fail("string tables", "no English (1033) table");
    for (const auto& table : tables) {
        for (const auto& other : tables)
            if (&other != &table && other.language == table.language)
                Fail(table.file, "language " + std::to_string(table.language) + " also in " + other.file);
        for (const auto& [id, text] : english->texts) {
            auto found = table.texts.find(id);
            if (found == table.texts.end())
                Fail(table.file, "identifier " + std::to_string(id) + " missing");
            if (CountPlaceholders(found->second) != CountPlaceholders(text))
                Fail(table.file, "identifier " + std::to_string(id) + ": \"$$\" placeholders differ from English");
        }
        for (const auto& entry : table.texts)
            if (!english->texts.contains(entry.first))
                Fail(table.file, "identifier " + std::to_string(entry.first) + " not in the English table");
    }
}

std::string Generate(const std::vector<Table>& tables)
{
    std::ostringstream out;
    out << "// Generated by tarrow_string_compiler from the string-table files; do not edit.\n"
        << "#include \"common/localization/StringResources.h\"\n\nnamespace {\n\n";
    for (std::size_t t = 0; t < tables.size(); ++t) {
        out << "// " << std::filesystem::path(tables[t].file).filename().string() << "\nconstexpr StringEntry kTable" << t << "[] = {\n";
        for (const auto& [id, text] : tables[t].texts)
            out << "    {" << id << ", " << Literal(text, tables[t].file + " " + std::to_string(id)) << "},\n";
        out << "};\n\n";
    }
    out << "constexpr StringTable kTables[] = {\n";
    for (std::size_t t = 0; t < tables.size(); ++t)
        out << "    {" << tables[t].language << ", kTable" << t << "},\n";
    out << "};\n\nconstexpr StringResources kResources{kTables};\n\n} // namespace\n\n"
        << "const StringResources& ProgramStrings()\n{\n    return kResources;\n}\n";
    return out.str();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp FILE.txt...\n", argv[0]);
        return 2;
    }
    try {
        std::vector<Table> tables;
        for (int i = 2; i < argc; ++i)
            tables.push_back(ReadTable(argv[i]));
        Check(tables);
        std::string source = Generate(tables);
        std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
        out << source;
        if (!out.flush())
            Fail(argv[1], "cannot be written");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarrow_string_compiler: %s\n", error.what());
        return 1;
    }
    return 0;
}
