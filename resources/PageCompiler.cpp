// Generates the language folders of the HTML pages: every page template is written once per text
// table, as OUTPUT/<folder>/<page>.htm, with each {{Key}} replaced by the table's text for that key.
// A table is named after its page folder (ENWW.txt, HEWW.txt, ...).
//
// Template: an HTML file named after its page. {{Key}} stands for a text of the table (keys are
// letters, digits and dots, e.g. {{Welcome.Title}}); {{@lang}} and {{@dir}} stand for the table's
// language tag and writing direction, and every template must use both.
//
// Text table, UTF-8, one entry per line:
//   # comment
//   lang he              language tag for <html lang>
//   dir rtl              ltr or rtl, for <html dir>
//   Welcome.Title = text
// Texts are inserted as HTML text: & < > " and ' are escaped. A table that lacks a key used by a
// template, or holds a key that no template uses, stops the build with a message naming both, so
// every language holds exactly the keys of ENWW.txt. ENWW.txt must be among the tables: its folder
// is the one every other language falls back to.
//
// Usage: tarrow_page_compiler OUTPUT_DIR --templates PAGE.htm... --tables TABLE.txt...
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Template {
    std::string file;
    std::string page;
    std::string text;
    std::set<std::string> keys;
};

struct Table {
    std::string file;
    std::string folder, lang, dir; // folder from the file name
    std::map<std::string, std::string> texts;
    std::map<std::string, int> lines; // line of each key, for messages
};

[[noreturn]] void Fail(const std::string& where, const std::string& what)
{
    throw std::runtime_error(where + ": " + what);
}

std::string ReadFile(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        Fail(file, "cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool IsKey(const std::string& key)
{
    if (key.empty() || key.front() == '.' || key.back() == '.')
        return false;
    for (char ch : key)
        if (!(std::isalnum(static_cast<unsigned char>(ch)) || ch == '.'))
            return false;
    return true;
}

bool IsValidUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

// Calls visit(key) for every {{...}} of the template text, and copy(piece) for the text between.
template <typename Visit, typename Copy>
void Scan(const std::string& text, const std::string& file, Visit visit, Copy copy)
{
    std::size_t pos = 0;
    while (true) {
        std::size_t open = text.find("{{", pos);
        copy(text.substr(pos, open == std::string::npos ? std::string::npos : open - pos));
        if (open == std::string::npos)
            return;
        std::size_t close = text.find("}}", open + 2);
        if (close == std::string::npos)
            Fail(file, "\"{{\" without \"}}\"");
        visit(text.substr(open + 2, close - open - 2));
        pos = close + 2;
    }
}

Template ReadTemplate(const std::string& file)
{
    Template page{file, fs::path(file).stem().string(), ReadFile(file), {}};
    if (!IsValidUtf8(page.text))
        Fail(file, "invalid UTF-8");
    std::set<std::string> builtins;
    Scan(page.text, file, [&](const std::string& key) {
        if (key == "@lang" || key == "@dir")
            builtins.insert(key);
        else if (IsKey(key))
            page.keys.insert(key);
        else
            Fail(file, "\"{{" + key + "}}\" is not a text key");
    }, [](const std::string&) {});
    if (builtins.size() != 2)
        Fail(file, "the template must use {{@lang}} and {{@dir}}");
    return page;
}

Table ReadTable(const std::string& file)
{
    std::istringstream in(ReadFile(file));
    Table table;
    table.file = file;
    table.folder = fs::path(file).stem().string();
    if (table.folder.size() != 4 || table.folder.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos)
        Fail(file, "a table is named after its page folder, four capital letters (e.g. ENWW.txt)");
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::string where = file + ":" + std::to_string(number);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (number == 1 && line.starts_with("\xEF\xBB\xBF"))
            line.erase(0, 3);
        if (line.empty() || line[0] == '#')
            continue;
        if (!IsValidUtf8(line))
            Fail(where, "invalid UTF-8");
        std::size_t equals = line.find(" = ");
        if (equals == std::string::npos) {
            std::size_t blank = line.find(' ');
            std::string name = line.substr(0, blank), value = blank == std::string::npos ? "" : line.substr(blank + 1);
            std::string* field = name == "lang" ? &table.lang : name == "dir" ? &table.dir : nullptr;
            if (!field)
                Fail(where, "expected \"Key = text\" or a lang or dir line");
            if (!field->empty())
                Fail(where, "second " + name + " line");
            if (value.empty() || value.find_first_of(" \"'<>&") != std::string::npos)
                Fail(where, name + " needs a plain value");
            *field = value;
            continue;
        }
        std::string key = line.substr(0, equals), text = line.substr(equals + 3);
        if (!IsKey(key))
            Fail(where, "\"" + key + "\" is not a text key");
        if (text.empty())
            Fail(where, "key " + key + " has an empty text");
        if (!table.texts.emplace(key, text).second)
            Fail(where, "key " + key + " appears twice");
        table.lines[key] = number;
    }
    if (table.lang.empty())
        Fail(file, "no lang line");
    if (table.dir != "ltr" && table.dir != "rtl")
        Fail(file, "dir must be ltr or rtl");
    return table;
}

void Check(const std::vector<Template>& pages, const std::vector<Table>& tables)
{
    std::set<std::string> used;
    for (const auto& page : pages)
        used.insert(page.keys.begin(), page.keys.end());
    std::set<std::string> folders;
    bool english = false;
    for (const auto& table : tables)
        english = english || table.folder == "ENWW";
    if (!english)
        Fail("tables", "ENWW.txt is missing (the folder that every other language falls back to)");
    for (const auto& table : tables) {
        if (!folders.insert(table.folder).second)
            Fail(table.file, "folder " + table.folder + " has a second table");
        for (const auto& page : pages)
            for (const auto& key : page.keys)
                if (!table.texts.contains(key))
                    Fail(table.file, "key " + key + " missing (used by " + page.file + ")");
        for (const auto& [key, text] : table.texts)
            if (!used.contains(key))
                Fail(table.file + ":" + std::to_string(table.lines.at(key)), "unknown key " + key + " (no page uses it)");
    }
}

std::string EscapeHtml(const std::string& text)
{
    std::string out;
    for (char ch : text) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += ch;
        }
    }
    return out;
}

std::string Generate(const Template& page, const Table& table)
{
    std::string out;
    Scan(page.text, page.file, [&](const std::string& key) {
        out += key == "@lang" ? table.lang : key == "@dir" ? table.dir : EscapeHtml(table.texts.at(key));
    }, [&](const std::string& piece) { out += piece; });
    return out;
}

void WriteFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush())
        Fail(path.string(), "cannot be written");
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> templateFiles, tableFiles;
    std::vector<std::string>* list = nullptr;
    bool usage = argc < 2;
    for (int i = 2; i < argc && !usage; ++i) {
        std::string arg = argv[i];
        if (arg == "--templates")
            list = &templateFiles;
        else if (arg == "--tables")
            list = &tableFiles;
        else if (list)
            list->push_back(arg);
        else
            usage = true;
    }
    if (usage || templateFiles.empty() || tableFiles.empty()) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR --templates PAGE.htm... --tables TABLE.txt...\n", argv[0]);
        return 2;
    }
    try {
        std::vector<Template> pages;
        std::vector<Table> tables;
        for (const auto& file : templateFiles)
            pages.push_back(ReadTemplate(file));
        for (const auto& file : tableFiles)
            tables.push_back(ReadTable(file));
        Check(pages, tables);
        for (const auto& table : tables)
            for (const auto& page : pages)
                WriteFile(fs::path(argv[1]) / table.folder / (page.page + ".htm"), Generate(page, table));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tarrow_page_compiler: %s\n", error.what());
        return 1;
    }
    return 0;
}
