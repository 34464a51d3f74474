#include "ctl/Csv.h"

std::string CsvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i)
            line += ',';
        const std::string& field = fields[i];
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
    fields.push_back(field);
    return true;
}
