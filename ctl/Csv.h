// Comma-separated values as spreadsheets write them: a field with a comma, a quotation mark or a
// line break is quoted, and a quotation mark inside doubled. A field that a spreadsheet would
// take for a formula (= + - @ TAB CR at its start) is written after an apostrophe, which reading
// takes off again.
#pragma once

#include <istream>
#include <string>
#include <vector>

std::string CsvLine(const std::vector<std::string>& fields);

// Reads the next record (which may span lines inside quotes) into fields. False at the end of
// input; also false with error set for a quote that never closes.
bool ReadCsvRecord(std::istream& in, std::vector<std::string>& fields, std::string& error);
