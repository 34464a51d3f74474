#include "ctl/Csv.h"

#include <string_view>

namespace {

// A cell that a spreadsheet would run as a formula starts with one of these; it is written with
// an apostrophe first, which spreadsheets show as text and ReadCsvRecord takes off again. A
// leading apostrophe gets one too, so that a name that starts with one comes back whole.
constexpr std::string_view kFormulaStarts = "=+-@\t\r'";

bool StartsLikeAFormula(const std::string& field)
{
    return !field.empty() && kFormulaStarts.find(field[0]) != std::string_view::npos;
}

std::string Neutralised(const std::string& field)
{
    return StartsLikeAFormula(field) ? "'" + field : field;
}

void Restore(std::string& field)
{
    if (field.size() >= 2 && field[0] == '\'' && StartsLikeAFormula(field.substr(1)))
        field.erase(0, 1);
}

} // namespace

std::string CsvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i)
            line += ',';
        const std::string field = Neutralised(fields[i]);
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (char c : field) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    return line + "\r\n";
}

bool ReadCsvRecord(std::istream& in, std::vector<std::string>& fields, std::string& error)
{
    fields.clear();
    error.clear();
    if (in.peek() == std::char_traits<char>::eof())
        return false;
    std::string field;
    bool quoted = false;
    char c;
    while (in.get(c)) {
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (in.peek() == '"') {
                field += '"';
                in.get();
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            Restore(field);
            fields.push_back(field);
            field.clear();
        } else if (c == '\n') {
            break;
        } else if (c != '\r') {
            field += c;
        }
    }
    if (quoted) {
        error = "a quotation mark is not closed";
        return false;
    }
    Restore(field);
    fields.push_back(field);
    return true;
}
